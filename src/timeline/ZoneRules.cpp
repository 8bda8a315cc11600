#include "timeline/ZoneRules.h"

#include <date/tz.h>

#include <chrono>
#include <exception>

namespace dz {

namespace {

// The library reports an unknown zone, or a database it cannot read, by
// throwing; callers get no zone instead.
const date::time_zone* zoneNamed(const std::string& zone) {
    if (zone.empty()) {
        return nullptr;
    }
    try {
        return date::locate_zone(zone);
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace

std::optional<int> zoneOffsetAt(const std::string& zone, std::int64_t utcSeconds) {
    const date::time_zone* rules = zoneNamed(zone);
    if (rules == nullptr) {
        return std::nullopt;
    }
    try {
        const date::sys_info info = rules->get_info(date::sys_seconds{std::chrono::seconds{utcSeconds}});
        return static_cast<int>(info.offset.count());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool isKnownZone(const std::string& zone) {
    return zoneNamed(zone) != nullptr;
}

}  // namespace dz
