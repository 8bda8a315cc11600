#include "suggest/StaySuggestion.h"

#include "suggest/ShotPauses.h"

#include <algorithm>
#include <cmath>

namespace dz {

namespace {

// Shorter silences are a night, or a day out without the phone: no sign of
// having left.
constexpr std::int64_t kLeavingSilenceSeconds = 24 * 3600;

// The shot at which the stay that began at `begin`, last seen at `lastKnown`, was
// left for the far place of `arrival`; the shots between have no position.
// Where the timeline read their places, that decides: a shot at the stay's
// offset and not the arrival's was still there, the first at the arrival's
// and not the stay's was not. After the last still there, a silence longer
// than a day and than any within the stay means the stay was over: a trip
// is shot hours apart, and the camera back home knows no place. Else the
// move is where moveShot puts it.
std::size_t leavingShot(const std::vector<SuggestShot>& shots, std::size_t begin, std::size_t lastKnown,
                        std::size_t arrival) {
    const std::int32_t there = shots[lastKnown].placeOffset;
    const std::int32_t next = shots[arrival].placeOffset;
    std::size_t stillThere = lastKnown;
    for (std::size_t i = lastKnown + 1; i < arrival; ++i) {
        if (shots[i].placeOffset == there && there != next) {
            stillThere = i;
        }
    }
    std::int64_t longest = 0;
    for (std::size_t i = begin + 1; i <= stillThere; ++i) {
        longest = std::max(longest, shots[i].moment - shots[i - 1].moment);
    }
    const std::int64_t silence = std::max(kLeavingSilenceSeconds, longest);
    for (std::size_t i = stillThere + 1; i < arrival; ++i) {
        if ((shots[i].placeOffset == next && next != there) || shots[i].moment - shots[i - 1].moment > silence) {
            return i;
        }
    }
    return moveShot(shots, stillThere, arrival);
}

}  // namespace

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
            starts.push_back(leavingShot(shots, starts.back(), lastKnown, i));
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
