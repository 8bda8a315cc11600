#pragma once

#include <cstdint>
#include <string>

namespace dz {

// A picture's place on the one timeline, while the session keeps one: the
// exact moment is its key, and texts show the local time at its place.
struct TimelineSpot {
    bool onTimeline = false;
    std::int64_t key = 0;         // the moment: 100-ns intervals since 1601, UTC
    std::int64_t localTime = 0;   // the local time at the place, seconds since 1970 read as UTC
    std::int32_t offsetSeconds = 0;   // of the place, east of UTC
    bool offsetDiffers = false;  // from the computer's at that moment
    std::string place;       // "Kyoto, Kyoto, Japan"; empty where none is named
    std::string placeShort;  // "Kyoto"
};

}  // namespace dz
