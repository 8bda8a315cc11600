#include "suggest/EventSuggestion.h"

#include "suggest/ShotPauses.h"

#include <algorithm>
#include <cmath>

namespace dz {

namespace {

std::int64_t pauseSeconds(double hours) {
    return static_cast<std::int64_t>(std::floor(hours * 3600.0));
}

// For each shot, whether a move from the previous known position begins an
// event at it.
std::vector<bool> moveStarts(const std::vector<SuggestShot>& shots, double jumpKm) {
    std::vector<bool> starts(shots.size(), false);
    bool known = false;
    std::size_t lastKnown = 0;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        if (!shots[i].hasPosition) {
            continue;
        }
        if (known && shotDistanceKm(shots[lastKnown], shots[i]) > jumpKm) {
            starts[moveShot(shots, lastKnown, i)] = true;
        }
        known = true;
        lastKnown = i;
    }
    return starts;
}

}  // namespace

std::vector<std::size_t> eventStarts(const std::vector<SuggestShot>& shots, const EventSettings& settings) {
    std::vector<std::size_t> starts;
    if (shots.empty()) {
        return starts;
    }
    const std::vector<bool> moves = moveStarts(shots, settings.jumpKm);
    const std::int64_t gap = pauseSeconds(settings.gapHours);
    starts.push_back(0);
    for (std::size_t i = 1; i < shots.size(); ++i) {
        if (moves[i] || shots[i].moment - shots[i - 1].moment > gap) {
            starts.push_back(i);
        }
    }
    return starts;
}

EventCounts::EventCounts(const std::vector<SuggestShot>& shots, double jumpKm) : empty_(shots.empty()) {
    const std::vector<bool> moves = moveStarts(shots, jumpKm);
    for (std::size_t i = 1; i < shots.size(); ++i) {
        // A start at a shot of the same key as the one before is no start
        // (proposalsAt), whatever begins it.
        const bool sameKey = shots[i].key == shots[i - 1].key;
        if (moves[i]) {
            moves_ += sameKey ? 0 : 1;
        } else if (!sameKey) {
            pauses_.push_back(shots[i].moment - shots[i - 1].moment);
        }
    }
    std::sort(pauses_.begin(), pauses_.end());
}

std::size_t EventCounts::albumsFor(double gapHours) const {
    if (empty_) {
        return 0;
    }
    const auto longer = std::upper_bound(pauses_.begin(), pauses_.end(), pauseSeconds(gapHours));
    return 1 + moves_ + static_cast<std::size_t>(pauses_.end() - longer);
}

}  // namespace dz
