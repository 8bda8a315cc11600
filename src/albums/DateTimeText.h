#pragma once

#include <cstdint>
#include <string>

namespace dz {

inline constexpr int kDateFormatCount = 10;
inline constexpr int kTimeFormatCount = 2;

// strftime patterns of the date formats 1 to 10 and time formats 1 and 2;
// null outside the tables.
const char* datePattern(int index);
const char* timePattern(int index);

// A time value (100-ns intervals since 1601, UTC, as picture time stamps are)
// as local time in `pattern`, with English names; empty when it cannot be
// converted. `biasMinutes` is UTC minus local time.
std::string formatTimeValue(std::int64_t value, const char* pattern, int biasMinutes);

// "[" + the date or the time of day in the chosen format + "]"; "[]" for an
// index outside its table. Both use the current time zone.
std::string dateText(std::int64_t value, int dateFormatIndex);
std::string timeText(std::int64_t value, int timeFormatIndex);

// The current time as a time value.
std::int64_t currentTimeValue();

}  // namespace dz
