#pragma once

#include "journal/JournalTrust.h"
#include "journal/RunRecord.h"
#include "platform/AppendFile.h"

#include <string>

namespace dz {

class JsonWriter;

// The journal of one processing run: an append-only file of JSON lines under
// the target folder, `.dezoredu/journal/<UTC time>-<pid>.jsonl`, each line
// sealed with this user's key and the seal of the line before it. The plan
// comes first (a head line naming the run's folders by identity, then one
// line per step, paths relative to those folders), then a line as each
// operation starts and one when it ends. Resume and undo read it back through
// the gate (journal/JournalGate.h) and append to it.
// Outcomes: "copied", "moved", "already-there" (the target held the picture's
// bytes), "in-place" (the target is the picture's own file), "left" (the
// picture stayed at its source: an answer No, an error passed over),
// "failed" (the operation did not happen; a resume tries it again).
// Results are errno values (0 for success).
class RunJournal {
public:
    // Where the journals of a target folder live, and that folder below the target.
    static std::string folderFor(const std::string& targetFolder);
    static constexpr const char* kFolderBelowTarget = ".dezoredu/journal";

    // Creates a new journal in `run.targetFolder` and writes the plan
    // (`run.steps` as planned, `run.sourceFolder`); sets `run.path`,
    // `run.runId` and the folders' stamps. The journal's folders are made
    // and opened without following links, and must be the user's own.
    int begin(RunRecord& run, const JournalTrust& trust);
    // Appends to the journal of an admitted run (resume "resume", undo
    // "undo", adoption "adopt"), continuing its chain; a line cut short by a
    // crash is closed first, so the new lines start on a line of their own.
    int reopen(RunRecord& run, const JournalTrust& trust, const std::string& kind);

    // How far a line goes before the call returns: held in memory (a line a
    // crash may lose: the plan or the disk still decides the step), written
    // to the file, or flushed to the disk.
    enum class LineWay { Held, Written, Flushed };

    int stepStarted(const JournalStep& step, LineWay way);
    // A move across file systems: its copy is complete, with this hash.
    int stepCopied(int number, const std::string& sha256);
    // A file in the step's place was put aside at `keptAt` before the step replaced it.
    int fileKept(int number, const std::string& keptAt);
    int stepFinished(int number, const std::string& outcome, const std::string& sha256 = {});
    int stepUndone(int number, const std::string& outcome);
    int folderCreated(const std::string& folder);
    int folderRemoved(const std::string& folder);
    int albumDone(int albumId);
    // The last line of a run or resume ("end"), of an undo that took back
    // everything ("undone") or of one that left things to take back ("undo-end").
    int ended(const std::string& event, const std::string& status);

    // Lines reach the disk.
    int flush();
    // Lines reach the disk, and the user's record of the run follows them:
    // at the plan, at each opening by a resume or an undo and at each end,
    // so that no one can cut an end off and make a run look unfinished.
    int seal();

    bool isOpen() const { return file_.isOpen(); }
    void close() { file_.close(); }
    const std::string& path() const { return file_.path(); }
    const std::string& runId() const { return runId_; }

private:
    // Opens the run's target and, beneath it, the journals' folder (made
    // with `create`), each level the user's own and no link.
    int openFolder(const RunRecord& run, const JournalTrust& trust, bool create, RootedFolder& target,
                   int& folderFd);
    int write(const JsonWriter& line, LineWay way);
    int writeStep(const JournalStep& step);

    AppendFile file_;
    const JournalTrust* trust_ = nullptr;
    std::string runId_;
    int lines_ = 0;
    std::string lastSeal_;
    int markedLines_ = 0;
};

// Now in UTC as "2026-12-09T04:05:06Z".
std::string utcTimeText();

// `stamp` as the journal writes it, and back.
std::string stampJson(const FolderStamp& stamp);
std::string identityJson(const FileIdentity& identity);

}  // namespace dz
