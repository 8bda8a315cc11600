#include "albums/DateTimeText.h"

#include "platform/TimeZone.h"

#include <array>
#include <chrono>
#include <ctime>
#include <locale.h>

namespace dz {

namespace {

constexpr std::array<const char*, kDateFormatCount> kDatePatterns = {
    "%Y-%m-%d", "%d %m %Y",     "%d %B %Y",     "%B %d, %Y",     "%d %b %Y",
    "%b %d, %Y", "%a %b %d, %Y", "%A %B %d, %Y", "%A, %d %B %Y", "%a, %d %b %Y",
};
constexpr std::array<const char*, kTimeFormatCount> kTimePatterns = {"%H %M %S", "%I %M %S %p"};

constexpr std::int64_t kIntervalsPerMinute = 600000000LL;

// strftime in the C locale whatever the program's locale is (Qt sets the
// user's), so that names in texts and file names stay English.
std::string formatInCLocale(const std::tm& fields, const char* pattern) {
    locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (c == static_cast<locale_t>(nullptr)) {
        return {};
    }
    std::array<char, 128> buffer{};
    const std::size_t n = ::strftime_l(buffer.data(), buffer.size(), pattern, &fields, c);
    ::freelocale(c);
    return std::string(buffer.data(), n);
}

}  // namespace

const char* datePattern(int index) {
    return index >= 1 && index <= kDateFormatCount ? kDatePatterns[static_cast<std::size_t>(index - 1)] : nullptr;
}

const char* timePattern(int index) {
    return index >= 1 && index <= kTimeFormatCount ? kTimePatterns[static_cast<std::size_t>(index - 1)] : nullptr;
}

std::string formatTimeValue(std::int64_t value, const char* pattern, int biasMinutes) {
    if (pattern == nullptr) {
        return {};
    }
    // Local time on the same scale, then calendar fields read as if UTC.
    const std::int64_t local = value - static_cast<std::int64_t>(biasMinutes) * kIntervalsPerMinute;
    const std::int64_t seconds = local / kFileTimePerSecond - kFileTimeUnixEpoch / kFileTimePerSecond;
    const auto t = static_cast<std::time_t>(seconds);
    std::tm fields{};
    if (::gmtime_r(&t, &fields) == nullptr) {
        return {};
    }
    // Round trip through the C library, which decides daylight saving.
    fields.tm_isdst = -1;
    const std::time_t made = std::mktime(&fields);
    std::tm broken{};
    if (made == static_cast<std::time_t>(-1) || ::localtime_r(&made, &broken) == nullptr) {
        return {};
    }
    return formatInCLocale(broken, pattern);
}

std::string dateText(std::int64_t value, int dateFormatIndex) {
    const int bias = currentTimeZone().totalBiasMinutes();
    return "[" + formatTimeValue(value, datePattern(dateFormatIndex), bias) + "]";
}

std::string timeText(std::int64_t value, int timeFormatIndex) {
    const int bias = currentTimeZone().totalBiasMinutes();
    return "[" + formatTimeValue(value, timePattern(timeFormatIndex), bias) + "]";
}

std::int64_t currentTimeValue() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return fileTimeFromUnix(ns / 1000000000LL, ns % 1000000000LL);
}

}  // namespace dz
