#pragma once

#include <cstdint>
#include <string>

namespace dz {

// The local shot time text "YYYY:MM:DD HH:MM:SS" of a container's creation
// time, an ISO 8601 UTC text ("2024-07-01T10:20:30.000000Z"), converted with
// the offset in force in the current zone on that day. Empty when the text
// is no such time, or names the zero time of the container formats (1904 or
// 1970), which stands for "not set".
std::string localShotTimeOfUtc(const std::string& isoUtc);

// The same of a container's creation time in seconds since 1904-01-01 UTC;
// a count below the seventy years to 1970 is read as seconds since 1970, as
// some writers give it. Empty for 0 ("not set") and for times past 9999.
std::string localShotTimeOfMovieTime(std::uint64_t secondsSince1904);

// The shot time text of a local ISO 8601 time with its offset
// ("2024-07-01T23:20:30+0900", as phones write their creation date): the
// wall-clock time where the movie was shot, as a camera's EXIF date is, the
// offset left aside. Empty as above.
std::string wallClockShotTime(const std::string& isoLocal);

// The offset from UTC such a local time states after its seconds and their
// fraction ("+0900", "+09:00", "+09", or "Z" for "+00:00"), as EXIF writes
// one: "+09:00". Empty when the text is no such time or states no offset
// clocks use.
std::string clockOffsetOfIsoTime(const std::string& isoLocal);

}  // namespace dz
