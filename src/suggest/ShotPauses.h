#pragma once

#include "suggest/SuggestShot.h"

#include <cstddef>
#include <vector>

namespace dz {

// The shot in (after, upTo] that follows the longest pause, the earliest of
// equal ones.
std::size_t shotAfterLongestPause(const std::vector<SuggestShot>& shots, std::size_t after, std::size_t upTo);

// Where a move between shot `after` and shot `upTo`, two known positions far
// apart, most likely happened: shots without position of the days before
// the arrival's day stay where they were, a night is no journey, so the
// move is after the longest pause within the arrival's day (not the night
// before it), or at the arrival's first shot of that day.
std::size_t moveShot(const std::vector<SuggestShot>& shots, std::size_t after, std::size_t upTo);

// The distance in km between the positions of two shots that both have one.
double shotDistanceKm(const SuggestShot& a, const SuggestShot& b);

}  // namespace dz
