#include "exif/ExifNumber.h"

#include <cstring>

namespace dz {

std::uint64_t exifFormatSize(int format) {
    static constexpr std::uint64_t kSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    return format >= 0 && format <= 12 ? kSizes[format] : 0;
}

double exifValueAsNumber(const ExifByteReader& value, int format) {
    // Only the first component counts; a value without one is 0.
    switch (format) {
    case 1:
        return value.u8(0).value_or(0);
    case 3:
        return value.u16(0).value_or(0);
    case 4:
        return value.u32(0).value_or(0);
    case 5:
    case 10: {
        const auto numerator = value.u32(0);
        const auto denominator = value.u32(4);
        if (!numerator || !denominator || *denominator == 0) {
            return 0;
        }
        return static_cast<double>(static_cast<std::int32_t>(*numerator)) /
               static_cast<double>(static_cast<std::int32_t>(*denominator));
    }
    case 6:
        return static_cast<std::int8_t>(value.u8(0).value_or(0));
    case 8:
        return static_cast<std::int16_t>(value.u16(0).value_or(0));
    case 9:
        return static_cast<std::int32_t>(value.u32(0).value_or(0));
    case 11: {
        const auto bits = value.u32le(0);
        if (!bits) {
            return 0;
        }
        float f = 0;
        std::memcpy(&f, &*bits, sizeof f);
        return f;
    }
    case 12: {
        const auto bits = value.u64le(0);
        if (!bits) {
            return 0;
        }
        double d = 0;
        std::memcpy(&d, &*bits, sizeof d);
        return d;
    }
    default:
        return 0;  // ASCII, UNDEFINED and format 0 have no number
    }
}

}  // namespace dz
