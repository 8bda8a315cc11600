#pragma once

#include <cstdint>
#include <string>

namespace dz {

// The picture time stamp of an EXIF date text "YYYY:MM:DD HH:MM:SS": 100-ns
// intervals since 1601-01-01, the shot time taken as UTC plus the bias (UTC
// minus local time, minutes), so the local shot time expressed as UTC.
// Every text gives a stamp: fields beyond their range roll over as calendar
// arithmetic does, and a result before 1601 or after 30827 is held at that end.
std::int64_t pictureTimeStamp(const std::string& dateTime, int biasMinutes);

}  // namespace dz
