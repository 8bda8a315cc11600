#include "suggest/StaySuggestion.h"

#include "suggest/ShotPauses.h"

#include <cmath>

namespace dz {

std::vector<std::size_t> stayStarts(const std::vector<SuggestShot>& shots, const StaySettings& settings) {
    std::vector<std::size_t> starts;
    if (shots.empty()) {
        return starts;
    }
    const auto gap = static_cast<std::int64_t>(std::floor(settings.gapHours * 3600.0));
    starts.push_back(0);
    bool anchored = shots[0].hasPosition;
    std::size_t anchor = 0;     // the stay's first known position
    std::size_t lastKnown = 0;  // its latest
    for (std::size_t i = 1; i < shots.size(); ++i) {
        if (shots[i].moment - shots[i - 1].moment > gap) {
            starts.push_back(i);
            anchored = false;
        }
        if (!shots[i].hasPosition) {
            continue;
        }
        if (anchored && shotDistanceKm(shots[anchor], shots[i]) > settings.radiusKm) {
            starts.push_back(moveShot(shots, lastKnown, i));
            anchored = false;
        }
        if (!anchored) {
            anchored = true;
            anchor = i;
        }
        lastKnown = i;
    }
    return starts;
}

}  // namespace dz
