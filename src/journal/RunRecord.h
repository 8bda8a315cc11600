#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// One picture's step of a processing run as its journal tells it.
struct JournalStep {
    enum class State { Planned, Started, Finished, Undone };

    int number = 0;  // from 1, in the plan's order
    int albumId = 0;
    std::string source;
    std::string target;  // the planned place; `placedAt` when the run chose another
    std::uint64_t size = 0;
    bool move = false;
    // A file that goes with the picture before it (a raw, a sidecar): done
    // with it, but not counted as a picture in what the user is told.
    bool travelling = false;

    State state = State::Planned;
    std::string placedAt;  // where the run put it (a name free of clashes)
    std::string sha256;    // of the picture's bytes, taken before the operation
    bool replace = false;  // allowed to replace a file there
    std::string outcome;   // see journal/RunJournal.h

    const std::string& place() const { return placedAt.empty() ? target : placedAt; }
};

// A whole run read back from its journal.
struct RunRecord {
    std::string path;          // the journal file
    std::string targetFolder;
    bool move = false;
    std::int64_t pid = 0;
    std::string startedAt;     // UTC, ISO 8601
    std::vector<JournalStep> steps;
    std::vector<std::string> foldersCreated;  // in the order they were made
    std::vector<int> albumsDone;
    bool ended = false;   // the run (or its resume) reached its end
    bool undone = false;  // an undo went through it

    // The run stopped before its end and was not undone since.
    bool unfinished() const { return !ended && !undone; }
    // Pictures finished, and planned, files travelling with them left out.
    int finishedCount() const;
    int pictureCount() const;
};

}  // namespace dz
