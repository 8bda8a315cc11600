#pragma once

#include "platform/FileIdentity.h"
#include "platform/RootedFolder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// One file's step of a processing run as its journal tells it. Paths are
// relative to the run's folders: a drive mounted elsewhere still finishes
// and undoes.
struct JournalStep {
    enum class State { Planned, Started, Finished, Undone };

    int number = 0;  // from 1, in the plan's order
    int albumId = 0;
    std::string source;            // below the source folder, or below the target one
    bool sourceInTarget = false;   // a picture catalogued inside the target folder
    std::string target;            // the planned place; `placedAt` when the run chose another
    std::uint64_t size = 0;
    bool move = false;
    // A file that goes with the picture before it (a raw, a sidecar): done
    // with it, but not counted as a picture in what the user is told.
    bool travelling = false;

    State state = State::Planned;
    std::string placedAt;   // where the run put it (a name free of clashes)
    std::string sha256;     // of the picture's bytes, where they were read
    // The source file as the operation found it: a rename keeps it, so a
    // move within one file system is known again without reading a byte.
    FileIdentity identity;
    bool replace = false;   // allowed to replace a file there
    std::string keptAt;     // where a file it replaced was put, below the target
    std::string outcome;    // see journal/RunJournal.h

    const std::string& place() const { return placedAt.empty() ? target : placedAt; }
};

// A whole run read back from its journal.
struct RunRecord {
    std::string path;          // the journal file
    std::string runId;
    std::string sourceFolder;  // as the run recorded it
    FolderStamp sourceStamp;
    std::string targetFolder;  // where the journal was found (or made)
    FolderStamp targetStamp;
    bool move = false;
    // Adopted by the user's word: nothing on the source side is ever removed.
    bool adopted = false;
    std::int64_t pid = 0;
    std::string startedAt;     // UTC, ISO 8601
    int plannedSteps = 0;      // as the plan's head says
    std::vector<JournalStep> steps;
    std::vector<std::string> foldersCreated;  // below the target, in the order they were made
    std::vector<int> albumsDone;
    bool ended = false;    // the run (or its resume) reached its end
    bool undone = false;   // an undo went through it, whole
    bool undoing = false;  // an undo began and has things left to take back

    // Where the journal's chain stands: lines read and the last line's seal.
    int lines = 0;
    std::string lastSeal;
    bool tornEnd = false;  // the file ends inside a line

    // The run stopped before its end and was neither undone nor being undone.
    bool unfinished() const { return !ended && !undone && !undoing; }
    // Pictures finished, and planned, files travelling with them left out.
    int finishedCount() const;
    int pictureCount() const;
    std::string sourcePathOf(const JournalStep& step) const;
    std::string placePathOf(const JournalStep& step) const;
};

// Outcomes that leave the picture at its place in the target.
bool isPlacedOutcome(const std::string& outcome);

}  // namespace dz
