#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// What the chunks of a WebP file say: where its EXIF block stands and the
// picture's size.
struct WebpLayout {
    std::size_t exifOffset = 0;  // the TIFF block itself, any "Exif\0\0" header skipped
    std::size_t exifSize = 0;    // 0: no EXIF chunk
    int width = 0;
    int height = 0;
    bool animated = false;  // frames in ANMF chunks, not one picture
};

// Walks "RIFF" size "WEBP" and the chunks after it within `size` bytes,
// every length checked. False, with the reason in `problem`, when the bytes
// are no WebP file or a chunk runs past their end.
bool readWebpLayout(const std::uint8_t* data, std::size_t size, WebpLayout& layout, std::string& problem);

}  // namespace dz
