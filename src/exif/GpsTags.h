#pragma once

#include "exif/ExifByteReader.h"
#include "exif/ExifInfo.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace dz {

// The tags of a GPS directory that say where and when, each kept only when
// its type, count and numbers are sound.
struct GpsTags {
    char latitudeRef = 0;  // 'N' or 'S'; 0 when absent or anything else
    char longitudeRef = 0;  // 'E' or 'W'; likewise
    std::optional<double> latitude;  // degrees, without their hemisphere
    std::optional<double> longitude;
    std::optional<std::uint8_t> altitudeRef;  // 1: below sea level
    std::optional<double> altitude;  // metres
    std::optional<std::array<std::uint32_t, 3>> time;  // UTC hours, minutes, whole seconds
    std::string date;  // "YYYY:MM:DD", empty unless a real day
};

// Takes one entry of a GPS directory into `gps`; other tags are left.
void takeGpsTag(GpsTags& gps, int tag, int format, const ExifByteReader& value);

// The position the tags give: known only with both coordinates and both
// their hemispheres, within the globe's ranges; its height only with the
// altitude's reference.
ShotPosition gpsPosition(const GpsTags& gps);

// "YYYY:MM:DD HH:MM:SS" of the fix, empty unless both date and time are there.
std::string gpsDateTime(const GpsTags& gps);

}  // namespace dz
