#pragma once

#include <cstdint>
#include <string>

namespace dz {

// Where a shot's moment came from, first to last.
enum class MomentSource : std::uint8_t {
    OffsetTag,     // the clock's offset, written with the shot time
    GpsTime,       // the GPS fix's UTC time against the shot time
    CameraClock,   // the zone the user set for the camera's clock
    PlaceZone,     // the zone of the shot's own position
    NearbyShot,    // the zone of a shot of known place at the same local time
    ComputerZone,  // the computer's zone
};

// Where the offset of the shot's place came from, first to last.
enum class PlaceOffsetSource : std::uint8_t {
    PlaceZone,     // the zone of the shot's own position
    NearbyShot,    // the zone of the nearest shot of known place
    OffsetTag,     // the clock's offset tag
    ComputerZone,  // the computer's zone
};

// A shot on the one timeline: its moment, and the local time at its place.
struct ShotTime {
    std::int64_t moment = 0;  // seconds since 1970, UTC
    int millis = 0;
    MomentSource momentSource = MomentSource::ComputerZone;
    int offset = 0;  // of the place at that moment, seconds east of UTC
    PlaceOffsetSource offsetSource = PlaceOffsetSource::ComputerZone;
    std::string zone;  // the place's IANA zone, where known
    std::int32_t zoneFrom = -1;  // the shot that lent the zone, for NearbyShot
    std::string place;           // the place of its own position, named
    std::string placeShort;

    std::int64_t localTime() const { return moment + offset; }
};

}  // namespace dz
