#pragma once

#include "journal/JsonValue.h"
#include "journal/RunRecord.h"

#include <string>

namespace dz {

// Takes one journal line, already known to be this user's (see
// journal/JournalGate.h), into `run`: `number` is its place in the chain,
// from 1. The first line must be the plan's head and the next ones its
// steps, as many as the head says. False, with the reason, for a line that
// does not fit the run.
bool applyJournalLine(RunRecord& run, const JsonValue& line, int number, std::string& error);

// True when every step of the plan has been read.
bool planComplete(const RunRecord& run);

}  // namespace dz
