#pragma once

#include "suggest/SuggestShot.h"

#include <cstddef>
#include <vector>

namespace dz {

// The shot in (after, upTo] that follows the longest pause, the earliest of
// equal ones: between two shots of known position far apart, the move most
// likely happened there, and shots without position on either side stay
// with the place they were taken at.
std::size_t shotAfterLongestPause(const std::vector<SuggestShot>& shots, std::size_t after, std::size_t upTo);

// The distance in km between the positions of two shots that both have one.
double shotDistanceKm(const SuggestShot& a, const SuggestShot& b);

}  // namespace dz
