#pragma once

#include "image/CRaster.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace dz {

using PngTexts = std::vector<std::pair<std::string, std::string>>;

// A 24-bit or grey picture as an RGB PNG with `texts` as tEXt chunks
// (Latin-1 keys and values); empty when it cannot be written.
std::vector<std::uint8_t> encodePng(const CRaster& image, const PngTexts& texts);

// The tEXt chunks of a PNG, read chunk by chunk without decoding the pixels;
// empty for bytes that are not a PNG. A cut or malformed chunk ends the walk.
PngTexts pngTexts(std::span<const std::uint8_t> bytes);

}  // namespace dz
