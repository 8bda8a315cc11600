#pragma once

#include <cstdint>
#include <string>

namespace dz {

// The current time-zone state as the C library reports it. Bias is UTC minus
// local time in minutes (so Central Europe in winter is -60).
struct TimeZoneState {
    int biasMinutes = 0;          // standard time
    int daylightBiasMinutes = 0;  // added while daylight saving is in force (usually -60)
    bool daylightInForce = false;

    int totalBiasMinutes() const { return biasMinutes + (daylightInForce ? daylightBiasMinutes : 0); }
};

TimeZoneState currentTimeZone();

// The computer's offset from UTC, seconds east, at a moment (seconds since
// 1970): its zone's rules, daylight saving included, not only today's.
int computerOffsetAt(std::int64_t utcSeconds);

// 100-ns intervals since 1601-01-01 and seconds since 1970-01-01.
inline constexpr std::int64_t kFileTimeUnixEpoch = 116444736000000000LL;
inline constexpr std::int64_t kFileTimePerSecond = 10000000LL;

std::int64_t fileTimeFromUnix(std::int64_t unixSeconds, std::int64_t nanoseconds = 0);

// A file time (UTC) converted to local time and formatted with strftime in
// the C locale; empty when the conversion fails.
std::string formatLocalFileTime(std::int64_t fileTime, const char* pattern);

}  // namespace dz
