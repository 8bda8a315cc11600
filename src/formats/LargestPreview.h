#pragma once

#include "exif/ExifInfo.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dz {

// An embedded JPEG within bytes the caller holds.
struct JpegBytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Of the JPEGs a container embeds, keeps a copy of the one with the most
// pixels whose sections lead to a picture frame and its scan data as the
// record's thumbnail, and its frame size as the picture's. False, the record
// as it was, when none does.
bool keepLargestPreview(const std::vector<JpegBytes>& candidates, ExifInfo& info);

}  // namespace dz
