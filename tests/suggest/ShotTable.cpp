#include "ShotTable.h"

#include "platform/TimeZone.h"

#include <chrono>
#include <cstdio>

namespace dz::test {

namespace {

std::int64_t secondsOf(const char* text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    const std::chrono::sys_days day{std::chrono::year{y} / mo / d};
    return day.time_since_epoch().count() * 86400LL + h * 3600LL + mi * 60LL + s;
}

}  // namespace

std::vector<SuggestShot> shotsOf(const std::vector<ShotRow>& rows) {
    const int bias = currentTimeZone().totalBiasMinutes();
    std::vector<SuggestShot> shots;
    for (const ShotRow& row : rows) {
        SuggestShot shot;
        shot.localTime = secondsOf(row.local);
        shot.moment = shot.localTime - row.offsetHours * 3600LL;
        shot.key = static_cast<std::uint64_t>(fileTimeFromUnix(shot.moment));
        shot.shownTime = fileTimeFromUnix(shot.localTime) + std::int64_t{bias} * 60 * kFileTimePerSecond;
        shot.placeOffset = row.offsetHours * 3600;
        shot.hasPosition = row.position.has_value();
        if (row.position) {
            shot.latitude = row.position->first;
            shot.longitude = row.position->second;
        }
        shot.place = row.place;
        shot.picture = shots.size();
        shot.size = row.size;
        shots.push_back(shot);
    }
    return shots;
}

}  // namespace dz::test
