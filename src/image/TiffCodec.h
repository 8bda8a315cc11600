#pragma once

#include "image/CRaster.h"
#include "image/DecodeOptions.h"

#include <cstdint>
#include <span>
#include <string>

namespace dz {

// Decodes the first picture of a TIFF file through libtiff's RGBA reader
// into a 24-bit picture, keeping an alpha plane when the file has extra
// samples; colours then come premultiplied by alpha (as libtiff's RGBA reader
// gives them, the picture as seen over black). The file is read from memory. libtiff's errors and warnings go to
// handlers given with this one open call (its per-file handlers), so the
// process-wide handlers are neither changed nor called.
bool decodeTiff(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
                std::string& error);

}  // namespace dz
