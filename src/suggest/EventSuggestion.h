#pragma once

#include "suggest/SuggestShot.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dz {

// Chosen on the first half of the labelled set of bench/run-suggest.sh:
// longer than a night between two days of one trip, shorter than the days
// between everyday shots; farther than from one town of a trip to the next,
// nearer than a journey from home.
inline constexpr double kDefaultEventGapHours = 12.0;
inline constexpr double kDefaultEventJumpKm = 150.0;

struct EventSettings {
    double gapHours = kDefaultEventGapHours;  // a longer pause between shots starts an event
    double jumpKm = kDefaultEventJumpKm;      // so does a longer move between known positions
};

// The shots that begin an event, the first shot first. A move between two
// shots of known position begins the new event where moveShot puts it;
// shots without position neither break nor join by distance.
std::vector<std::size_t> eventStarts(const std::vector<SuggestShot>& shots, const EventSettings& settings);

// The number of events for any pause, the moves fixed: made once from the
// shots, then each count is a binary search, for a slider to follow live.
class EventCounts {
public:
    EventCounts(const std::vector<SuggestShot>& shots, double jumpKm);

    // As many proposals as eventStarts with this gap would give.
    std::size_t albumsFor(double gapHours) const;

private:
    std::vector<std::int64_t> pauses_;  // before each shot that no move begins, sorted
    std::size_t moves_ = 0;             // events begun by a move
    bool empty_ = true;
};

}  // namespace dz
