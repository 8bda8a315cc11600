#include "image/ImageFormat.h"

#include <cstring>

namespace dz {

namespace {

bool startsWith(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t n) {
    return size >= n && std::memcmp(data, magic, n) == 0;
}

}  // namespace

ImageFormat detectImageFormat(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) {
        return ImageFormat::Unknown;
    }
    if (startsWith(data, size, "\xFF\xD8", 2)) {
        return ImageFormat::Jpeg;
    }
    if (startsWith(data, size, "\x89PNG\r\n\x1A\n", 8)) {
        return ImageFormat::Png;
    }
    if (startsWith(data, size, "II*\0", 4) || startsWith(data, size, "MM\0*", 4)) {
        return ImageFormat::Tiff;
    }
    if (startsWith(data, size, "BM", 2)) {
        return ImageFormat::Bmp;
    }
    return ImageFormat::Unknown;
}

}  // namespace dz
