#pragma once

#include <cstdint>
#include <string>

namespace dz {

// The picture time stamp of an EXIF date text "YYYY:MM:DD HH:MM:SS": 100-ns
// intervals since 1601-01-01, the shot time taken as UTC plus the bias (UTC
// minus local time, minutes), so the local shot time expressed as UTC.
// Every text gives a stamp: fields beyond their range roll over as calendar
// arithmetic does, and a result before 1601 or after 30827 is held at that end.
// A zero minute or second is counted as 01, and so is every other zero
// field of a text with one: the stamps albums compare and sessions keep.
std::int64_t pictureTimeStamp(const std::string& dateTime, int biasMinutes);

// The same scale, the text's own time: a zero minute or second stays zero
// (a month or day of zero is the first). What names and texts show.
std::int64_t pictureOwnTime(const std::string& dateTime, int biasMinutes);

}  // namespace dz
