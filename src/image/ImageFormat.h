#pragma once

#include <cstddef>
#include <cstdint>

namespace dz {

// Format numbers as the program passes them: detect 0, BMP 1, JPEG 3. PNG and
// TIFF have numbers of their own so that a detection can say what it found.
enum class ImageFormat : int {
    Unknown = -1,
    Detect = 0,
    Bmp = 1,
    Jpeg = 3,
    Png = 4,
    Tiff = 5,
};

// The format named by the first bytes: FF D8 JPEG, 89 "PNG" PNG, "II*\0" or
// "MM\0*" TIFF, "BM" BMP; Unknown otherwise (also for too few bytes).
ImageFormat detectImageFormat(const std::uint8_t* data, std::size_t size);

}  // namespace dz
