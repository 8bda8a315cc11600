#include "catalogue/PictureTimeStamp.h"

#include <algorithm>
#include <cstddef>

namespace dz {

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochSeconds1601 = 11644473600LL;
// 30827-12-31 23:59:59, the last second a file time is meant to hold.
constexpr std::int64_t kLastSecond1601 = 922314988799LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;

// Parsed numbers saturate here; the caps below are tighter per field.
constexpr std::int64_t kFieldCap = 100000000000000LL;

// Each field alone at its cap lies far beyond the last representable year, so
// holding a field there never changes the clamped result and keeps every sum
// well inside 64 bits.
void capFields(std::int64_t& year, std::int64_t& month, std::int64_t& day, std::int64_t& hour,
               std::int64_t& minute, std::int64_t& second) {
    year = std::min<std::int64_t>(year, 1000000LL);
    month = std::min<std::int64_t>(month, 10000000LL);
    day = std::min<std::int64_t>(day, 1000000000LL);
    hour = std::min<std::int64_t>(hour, 10000000000LL);
    minute = std::min<std::int64_t>(minute, 1000000000000LL);
    second = std::min<std::int64_t>(second, kFieldCap);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal value of a piece the way atoi reads it: leading blanks, optional
// sign, digits; no digits gives 0. Saturates instead of overflowing.
std::int64_t pieceValue(const std::string& text, std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    while (i < end && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(kFieldCap, value * 10 + (text[i] - '0'));
    }
    return negative ? -value : value;
}

// Days from 1970-01-01 to the first of the given month of a proleptic
// Gregorian year (H. Hinnant's days_from_civil); month 1..12.
std::int64_t daysFromCivil(std::int64_t y, std::int64_t m) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (m + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Fields {
    std::int64_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

Fields splitFields(const std::string& text) {
    const std::size_t npos = std::string::npos;
    const std::size_t size = text.size();
    auto next = [&](char separator, std::size_t from) {
        return from >= size ? npos : text.find(separator, from);
    };
    auto piece = [&](std::size_t begin, std::size_t end) {
        if (begin == npos || begin > size) {
            return std::int64_t{0};
        }
        return pieceValue(text, begin, end == npos ? size : end);
    };
    auto after = [&](std::size_t separator) { return separator == npos ? npos : separator + 1; };

    Fields f;
    const std::size_t c1 = next(':', 0);
    const std::size_t c2 = next(':', after(c1));
    const std::size_t space = next(' ', after(c2));
    const std::size_t c3 = next(':', after(space));
    const std::size_t c4 = next(':', after(c3));
    f.year = piece(0, c1);
    f.month = piece(after(c1), c2);
    f.day = piece(after(c2), space);
    f.hour = piece(after(space), c3);
    f.minute = piece(after(c3), c4);
    f.second = piece(after(c4), npos);
    return f;
}

}  // namespace

namespace {

std::int64_t stampOf(Fields f, int biasMinutes) {
    capFields(f.year, f.month, f.day, f.hour, f.minute, f.second);
    // Months beyond December roll into the following years.
    const std::int64_t year = f.year + (f.month - 1) / 12;
    const std::int64_t month = (f.month - 1) % 12 + 1;
    const std::int64_t days = daysFromCivil(year, month) + (f.day - 1);
    std::int64_t seconds = days * 86400 + f.hour * 3600 + f.minute * 60 + f.second;
    seconds += kEpochSeconds1601 + static_cast<std::int64_t>(biasMinutes) * 60;
    seconds = std::clamp<std::int64_t>(seconds, 0, kLastSecond1601);
    return seconds * kTicksPerSecond;
}

}  // namespace

namespace {

// The text's stamp with no field below its least: a month or day of zero is
// the first, and with `zeroCountsAsOne` a text holding any zero field has
// its minute and second at least 01.
std::int64_t stampOfText(const std::string& dateTime, int biasMinutes, bool zeroCountsAsOne) {
    Fields f = splitFields(dateTime);
    if (f.year <= 0) {
        f.year = 1970;
    }
    const bool anyZero = f.month <= 0 || f.day <= 0 || f.hour <= 0 || f.minute <= 0 || f.second <= 0;
    const std::int64_t least = zeroCountsAsOne && anyZero ? 1 : 0;
    f.month = std::max<std::int64_t>(f.month, 1);
    f.day = std::max<std::int64_t>(f.day, 1);
    f.hour = std::max<std::int64_t>(f.hour, 0);
    f.minute = std::max(f.minute, least);
    f.second = std::max(f.second, least);
    return stampOf(f, biasMinutes);
}

}  // namespace

std::int64_t pictureTimeStamp(const std::string& dateTime, int biasMinutes) {
    return stampOfText(dateTime, biasMinutes, true);
}

std::int64_t pictureOwnTime(const std::string& dateTime, int biasMinutes) {
    return stampOfText(dateTime, biasMinutes, false);
}

}  // namespace dz
