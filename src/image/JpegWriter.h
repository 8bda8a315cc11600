#pragma once

#include "image/CRaster.h"

#include <cstdint>
#include <vector>

namespace dz {

// A baseline colour JPEG of a 24-bit picture, for thumbnails the program
// makes itself (a video frame, a container's picture); they are kept as
// compressed bytes like an embedded EXIF thumbnail. Empty on failure.
std::vector<std::uint8_t> encodeJpeg(const CRaster& image, int quality);

}  // namespace dz
