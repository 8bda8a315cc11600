#include "formats/VideoTime.h"

#include "exif/ExifInfo.h"
#include "platform/TimeZone.h"

#include <cstdint>

namespace dz {

namespace {

// Reads `count` digits at `pos`; false when one is missing.
bool digits(const std::string& text, std::size_t pos, int count, int& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
        if (pos + i >= text.size() || text[pos + i] < '0' || text[pos + i] > '9') {
            return false;
        }
        value = value * 10 + (text[pos + i] - '0');
    }
    return true;
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t daysSince1970(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::string localShotTimeOfUtc(const std::string& isoUtc) {
    // YYYY-MM-DDTHH:MM:SS, then parts of a second and a zone we need not read:
    // the value is UTC.
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!digits(isoUtc, 0, 4, year) || !digits(isoUtc, 5, 2, month) || !digits(isoUtc, 8, 2, day) ||
        !digits(isoUtc, 11, 2, hour) || !digits(isoUtc, 14, 2, minute) || !digits(isoUtc, 17, 2, second) ||
        isoUtc[4] != '-' || isoUtc[7] != '-' || (isoUtc[10] != 'T' && isoUtc[10] != ' ') ||
        isoUtc[13] != ':' || isoUtc[16] != ':') {
        return {};
    }
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) {
        return {};
    }
    const std::int64_t unixSeconds =
        daysSince1970(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    if (year <= 1904 || unixSeconds <= 0) {
        return {};
    }
    std::string local = formatLocalFileTime(fileTimeFromUnix(unixSeconds), "%Y:%m:%d %H:%M:%S");
    return local.size() == kDateTimeChars ? local : std::string{};
}

}  // namespace dz
