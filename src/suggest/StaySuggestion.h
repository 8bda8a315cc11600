#pragma once

#include "suggest/SuggestShot.h"

#include <cstddef>
#include <vector>

namespace dz {

// Chosen on the first half of the labelled set of bench/run-suggest.sh:
// a town with its sights around it, not the next town; a pause longer than
// the days between everyday shots at home.
inline constexpr double kDefaultStayRadiusKm = 15.0;
inline constexpr double kDefaultStayGapHours = 240.0;

struct StaySettings {
    double radiusKm = kDefaultStayRadiusKm;   // how far from where a stay began its shots may be
    double gapHours = kDefaultStayGapHours;   // a longer absence ends a stay
};

// The shots that begin a stay, the first shot first. A stay is anchored at
// its first known position; a shot of known position beyond the radius
// begins the next stay. Shots without position join the stay around them;
// between two far places, those the timeline puts at the next place's
// offset, or after a long silence, join the next one, the others go where
// moveShot puts the move.
std::vector<std::size_t> stayStarts(const std::vector<SuggestShot>& shots, const StaySettings& settings);

}  // namespace dz
