#pragma once

#include "image/CRaster.h"
#include "image/DecodeOptions.h"

#include <cstdint>
#include <span>
#include <string>

namespace dz {

// The scale numerator n (the picture decodes at n/8 of its size) for a
// width x height JPEG that will be resampled to wantedWidth x wantedHeight:
// the smallest of 1, 2 and 4 whose decoded size is at least twice the wanted
// size in both directions (the other eighths decode slower than full size). A picture not that large, or a wanted size
// of 0, decodes at full size (8).
int jpegScaleNumerator(int width, int height, int wantedWidth, int wantedHeight);

// Decodes a baseline or progressive JPEG (grey, YCbCr, RGB, CMYK or YCCK)
// through libjpeg into a 24-bit picture, scaled as jpegScaleNumerator says.
// libjpeg's fatal errors return here by longjmp and its messages are kept,
// never printed. Data that ends before the picture is complete counts as a
// failure; other recoverable damage is tolerated as libjpeg repairs it.
bool decodeJpeg(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
                std::string& error);

}  // namespace dz
