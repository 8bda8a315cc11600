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
// `anotherKey`, when given, tells a journal refused only because its first
// line is sealed with another key (or this user has none): one the user may
// take as theirs with admitForeignJournal.
std::optional<AdmittedRun> admitJournal(const std::string& path, const JournalTrust& trust, std::string& refusal,
                                        bool* anotherKey = nullptr);

// A journal this user's program wrote under another account or before its
// key was made anew, read for adoption: every check of admitJournal but the
// seals and the record, and the run's source folder is `sourceFolder`, the
// one the user names, never the one the journal names. The run is marked
// adopted: nothing on its source side is ever removed.
std::optional<AdmittedRun> admitForeignJournal(const std::string& path, const std::string& sourceFolder,
                                               std::string& refusal);

}  // namespace dz
