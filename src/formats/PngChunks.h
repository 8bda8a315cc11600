#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// What the chunks of a PNG file say that the catalogue needs.
struct PngChunks {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Colour types 0 and 4 are grey, with or without alpha.
    bool isColor = true;
    const std::uint8_t* exif = nullptr;  // the eXIf chunk's TIFF block, within the file
    std::size_t exifSize = 0;
};

// Walks the chunks of a PNG file held whole in `data`, every length
// checked, up to IEND. False, with the reason in `error`, when the file is
// no PNG or ends before IEND.
bool readPngChunks(const std::uint8_t* data, std::size_t size, PngChunks& chunks, std::string& error);

}  // namespace dz
