#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dz {

// The system's tz database (/usr/share/zoneinfo), read on first use.

// The offset from UTC, seconds east, of an IANA zone ("Asia/Tokyo") at a
// moment (seconds since 1970, UTC); none for a zone the database lacks.
std::optional<int> zoneOffsetAt(const std::string& zone, std::int64_t utcSeconds);

bool isKnownZone(const std::string& zone);

}  // namespace dz
