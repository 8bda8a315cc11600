#pragma once

#include "journal/JournalTrust.h"
#include "journal/RunRecord.h"
#include "platform/RootedFolder.h"

#include <optional>
#include <string>

namespace dz {

// A run the program may replay, with its folders opened and found to be the
// ones the run recorded.
struct AdmittedRun {
    RunRecord run;
    RootedFolder target;
    RootedFolder source;  // not open when the source folder cannot be reached
};

// The one way from a journal on disk to a run that resume and undo may
// replay. The file must be a regular file of at most kJournalMaxBytes under
// a target's `.dezoredu/journal/`; every line sealed by this user's key in
// one unbroken chain (a line cut short by a crash is passed over); not behind
// the user's record of the run; every path it names relative and clean; the
// folder it was found in the run's own target, by identity, and its source
// folder, where it can be reached, the run's own. Anything else is refused
// whole, with the reason naming the first offending line or path.
std::optional<AdmittedRun> admitJournal(const std::string& path, const JournalTrust& trust, std::string& refusal);

}  // namespace dz
