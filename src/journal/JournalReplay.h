#pragma once

#include "journal/JournalGate.h"

#include <string>
#include <vector>

namespace dz {

class RunJournal;

// What a resume or an undo did.
struct ReplayReport {
    int done = 0;         // pictures carried out now (files travelling with them not counted)
    int checked = 0;      // pictures found done already
    int failed = 0;       // operations the file system refused; they stay open
    std::vector<std::string> leftAlone;  // "path: why", never touched
    std::vector<int> albumsDone;         // albums complete after a resume
    // The journal could not be written: the replay stopped before its next operation.
    std::string journalError;
};

// Finishes an interrupted run from its admitted journal alone: steps done
// are checked and passed over, a step cut short is looked at on the disk and
// completed or redone, steps not started (or failed) are carried out. Nothing
// is ever replaced: a different file in a place sends the picture's whole
// shot to free names. Every operation works beneath the run's folders.
// Appends what it does to `journal`, which must be open on the run.
// With `verifyCopies` each copy is read back from the disk and compared
// before it takes its name (moves across file systems always are).
ReplayReport resumeRun(AdmittedRun& admitted, RunJournal& journal, bool verifyCopies = false);

// Takes a run back: moved pictures return to their source paths, copies
// are removed, files a step replaced come back, the folders the run made are
// removed when empty. A file whose bytes are no longer the ones the run
// wrote, or a source path taken since, is left alone and listed. A step
// that fails stays to be taken back by the next undo.
ReplayReport undoRun(AdmittedRun& admitted, RunJournal& journal);

}  // namespace dz
