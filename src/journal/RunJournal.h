#pragma once

#include "journal/RunRecord.h"
#include "platform/AppendFile.h"

#include <string>

namespace dz {

// The journal of one processing run: an append-only file of JSON lines under
// the target folder, `.dezoredu/journal/<UTC time>-<pid>.jsonl`. The plan
// comes first, then a line as each picture's operation starts (flushed to the
// disk before the operation, so that a crash leaves a record of it) and one
// when it ends. Resume and undo read it back and append to it.
// Outcomes: "copied", "moved", "already-there" (the target held the picture's
// bytes), "left" (the picture stayed at its source: an answer No, an error
// passed over), "failed" (the album was given up on it).
// Results are errno values (0 for success).
class RunJournal {
public:
    // Where the journals of a target folder live.
    static std::string folderFor(const std::string& targetFolder);

    // Creates a new journal in `run.targetFolder` and writes the plan
    // (`run.steps` as planned); `run.path` is set to its file.
    int begin(RunRecord& run);
    // Appends to the journal of an earlier run (resume, undo), with a line
    // that says which and who.
    int reopen(const std::string& path, const std::string& event);

    // A step that takes a picture from its source (a move) has its line on
    // the disk before it goes on; for a copy the line may wait for the next
    // flush, since a crash before it leaves at worst a whole copy the
    // journal does not know, which a resume finds already there.
    int stepStarted(const JournalStep& step);
    int flush() { return file_.flush(); }
    // A copy's hash, taken while it was made, comes with its end.
    int stepFinished(int number, const std::string& outcome, const std::string& sha256 = {});
    int stepUndone(int number, const std::string& outcome);
    int folderCreated(const std::string& folder);
    int folderRemoved(const std::string& folder);
    int albumDone(int albumId);
    // The last line of a run, resume or undo ("end" or "undone").
    int ended(const std::string& event, const std::string& status);

    bool isOpen() const { return file_.isOpen(); }
    void close() { file_.close(); }
    const std::string& path() const { return file_.path(); }

private:
    int write(const std::string& line, bool flush);

    AppendFile file_;
};

// Now in UTC as "2026-12-09T04:05:06Z".
std::string utcTimeText();

}  // namespace dz
