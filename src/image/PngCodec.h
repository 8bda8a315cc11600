#pragma once

#include "image/CRaster.h"
#include "image/DecodeOptions.h"

#include <cstdint>
#include <span>
#include <string>

namespace dz {

// Decodes a PNG through libpng into a 24-bit picture (palette, grey and
// 16-bit samples converted); a picture with an alpha channel or a
// transparency chunk keeps its alpha plane. libpng's errors come back by its
// own longjmp and its warnings are dropped; nothing is printed.
bool decodePng(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
               std::string& error);

}  // namespace dz
