#pragma once

#include "journal/JournalGate.h"

#include <string>

namespace dz {

// Takes a run read by admitForeignJournal under this user's key: a new
// journal beside the old one tells the same run (its plan, what each step
// did, the folders made, the albums finished, its end), sealed and recorded
// as this user's, and marked adopted. The old file is renamed out of the
// journals' way (NAME.jsonl.adopted), so it is never offered again.
// `journalPath` gets the new journal's path. Returns an errno value.
int adoptJournal(AdmittedRun& foreign, const JournalTrust& trust, std::string& journalPath);

}  // namespace dz
