#pragma once

#include "suggest/Proposal.h"

#include <cstddef>
#include <vector>

namespace dz {

// Splits the proposal holding shot `shot` so that this shot begins the
// second part. Refused (false, nothing changed) when the shot already
// begins a proposal, is in none, or has the key of the shot before it (two
// albums cannot share a key).
bool splitProposalAt(std::vector<Proposal>& proposals, const std::vector<SuggestShot>& shots, std::size_t shot,
                     int dateFormatIndex);

// Joins proposal `index` with the one after it; false when there is none after.
bool mergeWithNext(std::vector<Proposal>& proposals, const std::vector<SuggestShot>& shots, std::size_t index,
                   int dateFormatIndex);

}  // namespace dz
