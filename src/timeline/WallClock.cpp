#include "timeline/WallClock.h"

#include "catalogue/PictureTimeStamp.h"
#include "platform/TimeZone.h"

#include <date/date.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace dz {

namespace {

// Two days either side reach past any one change of a zone's offset.
constexpr std::int64_t kAround = 2 * 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

struct Fields {
    long long year;
    unsigned month, day;
    long long hour, minute, second;
};

Fields fieldsOf(std::int64_t seconds) {
    const std::int64_t days = floorDiv(seconds, 86400);
    const std::int64_t ofDay = seconds - days * 86400;
    const date::year_month_day ymd{date::sys_days{date::days{days}}};
    return {static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
            ofDay / 3600, ofDay / 60 % 60, ofDay % 60};
}

}  // namespace

std::int64_t momentOfWallClock(std::int64_t wallSeconds, const OffsetAt& offsetAt) {
    const int before = offsetAt(wallSeconds - kAround);
    const int after = offsetAt(wallSeconds + kAround);
    const std::int64_t early = wallSeconds - before;
    const std::int64_t late = wallSeconds - after;
    const bool earlyHolds = offsetAt(early) == before;
    const bool lateHolds = offsetAt(late) == after;
    if (earlyHolds && lateHolds) {
        return std::min(early, late);
    }
    if (lateHolds) {
        return late;
    }
    return early;
}

std::int64_t wallClockOfText(const std::string& dateTime) {
    return floorDiv(pictureOwnTime(dateTime, 0) - kFileTimeUnixEpoch, kFileTimePerSecond);
}

std::string wallClockText(std::int64_t wallSeconds) {
    const Fields f = fieldsOf(wallSeconds);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld:%02u:%02u %02lld:%02lld:%02lld", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    return text;
}

std::string utcText(std::int64_t utcSeconds) {
    const Fields f = fieldsOf(utcSeconds);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    return text;
}

}  // namespace dz
