#pragma once

#include "journal/RunRecord.h"

#include <string>
#include <vector>

namespace dz {

class FileSystem;
class RunJournal;

// What a resume or an undo did.
struct ReplayReport {
    int done = 0;         // pictures carried out now (files travelling with them not counted)
    int checked = 0;      // pictures found done already
    int failed = 0;       // operations the file system refused
    std::vector<std::string> leftAlone;  // "path: why", never touched
    std::vector<int> albumsDone;         // albums complete after a resume
};

// Finishes an interrupted run from its journal alone: steps done are
// checked and passed over, a step cut short is looked at on the disk and
// completed or redone, steps not started are carried out. Nothing is ever
// replaced: a different file in a picture's place sends it to a free name.
// Appends what it does to `journal`, which must be open on `run.path`.
ReplayReport resumeRun(RunRecord& run, RunJournal& journal, FileSystem& fileSystem);

// Takes a run back: moved pictures return to their source paths, copies
// are removed, the folders the run made are removed when empty. A file whose
// bytes are no longer the ones the run wrote, or a source path taken since,
// is left alone and listed.
ReplayReport undoRun(RunRecord& run, RunJournal& journal, FileSystem& fileSystem);

}  // namespace dz
