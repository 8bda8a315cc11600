#pragma once

#include <cstdint>
#include <optional>

namespace dz {

// What one picture says of when and where it was taken, as the timeline
// reads it: the shot time as its camera's clock showed it, and whatever
// else fixes the moment or the place.
struct ShotFacts {
    std::int64_t wallClock = 0;  // seconds since 1970, the clock read as UTC
    int millis = 0;              // the fraction of a second of the shot time
    std::optional<int> offsetTag;         // the clock's offset, seconds east
    std::optional<std::int64_t> gpsUtc;   // the GPS fix's own time
    bool hasPosition = false;
    double latitude = 0;
    double longitude = 0;
    std::int32_t camera = -1;  // among the timeline's bodies; -1 for none
    std::int64_t ownCorrection = 0;  // the user's correction of this picture alone
};

}  // namespace dz
