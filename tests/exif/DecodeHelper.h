#pragma once

#include "JpegBuilder.h"
#include "exif/CExifReader.h"
#include "exif/ExifInfo.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dz::test {

// What one Decode of some bytes left behind.
struct DecodeResult {
    bool ok = false;
    ExifInfo info;
    std::string error;
    std::size_t position = 0;  // bytes taken from the stream
    std::size_t sections = 0;
    std::vector<std::string> diagnostics;
};

DecodeResult decodeBytes(const Bytes& bytes);
DecodeResult decodeBytes(const std::string& bytes);
// The TIFF block in an EXIF section, followed by a frame header and the scan.
DecodeResult decodeTiff(const TiffBuilder& tiff);

}  // namespace dz::test
