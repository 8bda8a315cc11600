#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace dz {

// A number truncated toward zero, saturated at the int32 range, and 0 for a
// value that is not a number: EXIF values are hostile and a plain cast of an
// out-of-range double is undefined.
inline std::int32_t truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

// The same at the int64 range, for offsets and sizes in files beyond 2 GB.
inline std::int64_t truncateToInt64(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // 2^63 is exact in a double; anything at or past it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (value >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace dz
