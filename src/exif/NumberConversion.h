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

}  // namespace dz
