#include "platform/TimeZone.h"

#include <ctime>
#include <limits>
#include <locale.h>
#include <time.h>

namespace dz {

namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

// Half a year, to look at the other season of the current zone.
constexpr std::time_t kHalfYear = 182 * 24 * 3600;

bool localAt(std::time_t when, std::tm& out) {
    return ::localtime_r(&when, &out) != nullptr;
}

// Floor division, for times before 1970.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

TimeZoneState currentTimeZone() {
    ::tzset();
    TimeZoneState state;
    const std::time_t now = std::time(nullptr);
    std::tm tmNow{};
    if (!localAt(now, tmNow)) {
        return state;
    }
    const int nowBias = static_cast<int>(-tmNow.tm_gmtoff / 60);
    state.daylightInForce = tmNow.tm_isdst > 0;

    // The other season tells the offset that is not in force today.
    std::tm other{};
    const bool haveOther = localAt(now + kHalfYear, other) || localAt(now - kHalfYear, other);
    const int otherBias = static_cast<int>(-other.tm_gmtoff / 60);
    const bool otherIsDst = haveOther && other.tm_isdst > 0;

    if (state.daylightInForce) {
        // Standard offset from the other season when it is standard time, else
        // from the C library's `timezone` (seconds west of UTC).
        state.biasMinutes = (haveOther && !otherIsDst) ? otherBias : static_cast<int>(::timezone / 60);
        state.daylightBiasMinutes = nowBias - state.biasMinutes;
        return state;
    }
    state.biasMinutes = nowBias;
    if (otherIsDst) {
        state.daylightBiasMinutes = otherBias - nowBias;
    } else if (::daylight != 0) {
        state.daylightBiasMinutes = -60;
    }
    return state;
}

int computerOffsetAt(std::int64_t utcSeconds) {
    if (utcSeconds > std::numeric_limits<std::time_t>::max() || utcSeconds < std::numeric_limits<std::time_t>::min()) {
        return 0;
    }
    std::tm local{};
    if (!localAt(static_cast<std::time_t>(utcSeconds), local)) {
        return 0;
    }
    return static_cast<int>(local.tm_gmtoff);
}

std::int64_t fileTimeFromUnix(std::int64_t unixSeconds, std::int64_t nanoseconds) {
    // Saturate instead of overflowing on absurd file-system times.
    constexpr std::int64_t maxSeconds = (kInt64Max - kFileTimeUnixEpoch) / kFileTimePerSecond - 1;
    constexpr std::int64_t minSeconds = (kInt64Min + kFileTimeUnixEpoch) / kFileTimePerSecond + 1;
    if (unixSeconds > maxSeconds) {
        return kInt64Max;
    }
    if (unixSeconds < minSeconds) {
        return kInt64Min;
    }
    return unixSeconds * kFileTimePerSecond + nanoseconds / 100 + kFileTimeUnixEpoch;
}

std::string formatLocalFileTime(std::int64_t fileTime, const char* pattern) {
    if (pattern == nullptr || *pattern == '\0') {
        return {};
    }
    // The epoch is a whole number of seconds, so this cannot overflow.
    const std::int64_t seconds =
        floorDiv(fileTime, kFileTimePerSecond) - kFileTimeUnixEpoch / kFileTimePerSecond;
    if (seconds > std::numeric_limits<std::time_t>::max() ||
        seconds < std::numeric_limits<std::time_t>::min()) {
        return {};
    }
    ::tzset();
    std::tm local{};
    if (!localAt(static_cast<std::time_t>(seconds), local)) {
        return {};
    }
    // Names stay English whatever locale the GUI toolkit set for the process.
    const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (c == static_cast<locale_t>(0)) {
        return {};
    }
    char text[256];
    const std::size_t n = ::strftime_l(text, sizeof text, pattern, &local, c);
    ::freelocale(c);
    return std::string(text, n);
}

}  // namespace dz
