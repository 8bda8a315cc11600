#include "formats/VideoTime.h"

#include "exif/ExifInfo.h"
#include "exif/ExifText.h"
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

struct IsoTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    // Seconds since 1970 of these fields read as UTC.
    std::int64_t unixSeconds() const {
        return daysSince1970(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    }
};

// YYYY-MM-DDTHH:MM:SS, then parts of a second and a zone, not read here;
// false for any other text and for the containers' zero times.
bool readIsoTime(const std::string& text, IsoTime& t) {
    if (!digits(text, 0, 4, t.year) || !digits(text, 5, 2, t.month) || !digits(text, 8, 2, t.day) ||
        !digits(text, 11, 2, t.hour) || !digits(text, 14, 2, t.minute) || !digits(text, 17, 2, t.second) ||
        text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') || text[13] != ':' ||
        text[16] != ':') {
        return false;
    }
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 60) {
        return false;
    }
    return t.year > 1904 && t.unixSeconds() > 0;
}

}  // namespace

std::string localShotTimeOfUtc(const std::string& isoUtc) {
    IsoTime t;
    if (!readIsoTime(isoUtc, t)) {
        return {};
    }
    std::string local = formatLocalFileTime(fileTimeFromUnix(t.unixSeconds()), "%Y:%m:%d %H:%M:%S");
    return local.size() == kDateTimeChars ? local : std::string{};
}

std::string localShotTimeOfMovieTime(std::uint64_t secondsSince1904) {
    constexpr std::uint64_t k1904To1970 = 2082844800;
    constexpr std::uint64_t kEndOf9999 = 253402300799;
    const std::uint64_t unix = secondsSince1904 >= k1904To1970 ? secondsSince1904 - k1904To1970 : secondsSince1904;
    if (unix == 0 || unix > kEndOf9999) {
        return {};
    }
    std::string local =
        formatLocalFileTime(fileTimeFromUnix(static_cast<std::int64_t>(unix)), "%Y:%m:%d %H:%M:%S");
    return local.size() == kDateTimeChars ? local : std::string{};
}

std::string wallClockShotTime(const std::string& isoLocal) {
    IsoTime t;
    if (!readIsoTime(isoLocal, t)) {
        return {};
    }
    std::string text = isoLocal.substr(0, kDateTimeChars);
    text[4] = ':';
    text[7] = ':';
    text[10] = ' ';
    return text;
}

std::string clockOffsetOfIsoTime(const std::string& isoLocal) {
    IsoTime t;
    if (!readIsoTime(isoLocal, t)) {
        return {};
    }
    std::size_t pos = kDateTimeChars;
    if (pos < isoLocal.size() && isoLocal[pos] == '.') {
        for (++pos; pos < isoLocal.size() && isoLocal[pos] >= '0' && isoLocal[pos] <= '9';) {
            ++pos;
        }
    }
    const std::string zone = isoLocal.substr(pos);
    if (zone == "Z") {
        return "+00:00";
    }
    int hours = 0;
    int minutes = 0;
    const bool colon = zone.size() == 6 && zone[3] == ':';
    const bool read = (zone.size() == 3 || zone.size() == 5 || colon) && (zone[0] == '+' || zone[0] == '-') &&
                      digits(zone, 1, 2, hours) && (zone.size() == 3 || digits(zone, colon ? 4 : 3, 2, minutes));
    if (!read) {
        return {};
    }
    std::string offset = zone.substr(0, 3) + ":" + (zone.size() == 3 ? "00" : zone.substr(colon ? 4 : 3, 2));
    return isClockOffset(offset) ? offset : std::string{};
}

}  // namespace dz
