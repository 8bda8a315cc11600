#pragma once

#include <optional>
#include <string>

namespace dz {

// A clock's offset from UTC as cameras write it ("+09:00", "-05:30"), in
// seconds east of UTC; none for any other text or beyond +/-14:00.
std::optional<int> parseClockOffset(const std::string& text);

// The same form from seconds, rounded to the minute ("+09:00", "+00:00").
std::string clockOffsetText(int offsetSeconds);

}  // namespace dz
