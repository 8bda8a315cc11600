#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dz {

// Times on the timeline are seconds since 1970. A moment is UTC; a wall
// clock is what a clock showed, counted as though it were UTC.

// A zone's offset (seconds east of UTC) at a moment.
using OffsetAt = std::function<int(std::int64_t utcSeconds)>;

// The moment a zone's clock showed `wallSeconds`. In the hour repeated when
// clocks go back it is the earlier of the two; in the hour skipped when they
// go forward, the clock is read with the offset before the change.
std::int64_t momentOfWallClock(std::int64_t wallSeconds, const OffsetAt& offsetAt);

// The wall clock of a shot's date text "YYYY:MM:DD HH:MM:SS", read as names
// and texts read it (a zero month or day is the first).
std::int64_t wallClockOfText(const std::string& dateTime);

// "YYYY:MM:DD HH:MM:SS" of a wall clock.
std::string wallClockText(std::int64_t wallSeconds);

// "YYYY-MM-DDTHH:MM:SSZ" of a moment.
std::string utcText(std::int64_t utcSeconds);

}  // namespace dz
