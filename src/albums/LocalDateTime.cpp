#include "albums/LocalDateTime.h"

#include <array>
#include <cstdio>

namespace dz {

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000LL;
constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDays1601To1970 = 134774;
// 30827-12-31 23:59:59 in seconds since 1601, the last second the scale holds.
constexpr std::int64_t kLastSecond = 922314988799LL;
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 of a proleptic Gregorian date and back
// (H. Hinnant's days_from_civil and civil_from_days).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t days, LocalDateTime& out) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2 ? 1 : 0));
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

bool isValid(const LocalDateTime& t) {
    return t.year >= kFirstYear && t.year <= kLastYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

// Three decimal numbers of 1 to `maxDigits` digits each, joined by `separator`.
bool readThree(const std::string& text, char separator, std::size_t maxDigits, std::array<int, 3>& out) {
    std::size_t part = 0;
    std::size_t digits = 0;
    out = {0, 0, 0};
    for (const char c : text) {
        if (c == separator) {
            if (digits == 0 || ++part == out.size()) {
                return false;
            }
            digits = 0;
            continue;
        }
        if (c < '0' || c > '9' || ++digits > maxDigits) {
            return false;
        }
        out[part] = out[part] * 10 + (c - '0');
    }
    return part == out.size() - 1 && digits != 0;
}

}  // namespace

LocalDateTime localDateTimeOf(std::int64_t value, int biasMinutes) {
    // The bias is a whole number of seconds, so it is taken off after the
    // division and nothing can overflow.
    const std::int64_t seconds = floorDiv(value, kTicksPerSecond) - static_cast<std::int64_t>(biasMinutes) * 60;
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t ofDay = seconds - days * kSecondsPerDay;
    LocalDateTime local;
    civilFromDays(days - kDays1601To1970, local);
    local.hour = static_cast<int>(ofDay / 3600);
    local.minute = static_cast<int>(ofDay / 60 % 60);
    local.second = static_cast<int>(ofDay % 60);
    return local;
}

std::optional<std::int64_t> timeValueOf(const LocalDateTime& local, int biasMinutes) {
    if (!isValid(local)) {
        return std::nullopt;
    }
    const std::int64_t days = daysFromCivil(local.year, local.month, local.day) + kDays1601To1970;
    const std::int64_t seconds = days * kSecondsPerDay + local.hour * 3600 + local.minute * 60 + local.second +
                                 static_cast<std::int64_t>(biasMinutes) * 60;
    if (seconds <= 0 || seconds > kLastSecond) {
        return std::nullopt;
    }
    return seconds * kTicksPerSecond;
}

std::string pickerDateText(const LocalDateTime& local) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.year, local.month, local.day);
    return text;
}

std::string pickerTimeText(const LocalDateTime& local) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.hour, local.minute, local.second);
    return text;
}

std::optional<LocalDateTime> readPickers(const std::string& date, const std::string& time) {
    std::array<int, 3> d{};
    std::array<int, 3> t{};
    if (!readThree(date, '-', 5, d) || !readThree(time, ':', 2, t)) {
        return std::nullopt;
    }
    const LocalDateTime local{d[0], d[1], d[2], t[0], t[1], t[2]};
    if (!isValid(local)) {
        return std::nullopt;
    }
    return local;
}

}  // namespace dz
