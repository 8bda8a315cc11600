#pragma once

#include "image/CRaster.h"
#include "image/DecodeOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dz {

// Our own BMP reader: the file header and a core (12-byte) or info header
// (40 bytes or a later, longer version), uncompressed, 1, 4 or 8 bits with a
// palette, 24 or 32 bits; bottom-up or top-down rows. Every field is read on
// its own and every offset and length is checked against the bytes first.
// The picture comes out as 24 bits per pixel.
bool decodeBmp(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
               std::string& error);

// A 24-bit bottom-up BMP file of `image` (grey pictures are written as
// colour): file header, 40-byte info header, rows padded to 4 bytes. Empty
// when the image is invalid or too large for the format's 32-bit sizes.
std::vector<std::uint8_t> encodeBmp(const CRaster& image);

}  // namespace dz
