#pragma once

#include "image/CRaster.h"

#include <cstdint>
#include <string>
#include <vector>

// Pictures made by the tests and the benchmark, written with the codec
// libraries themselves so the decoders are checked against an independent
// writer.
namespace dz::test {

// A colourful 24-bit picture whose every pixel depends on (x, y) only.
CRaster patternImage(int width, int height);

// Pixel bytes equal, padding left out (sizes and depths too).
bool samePixels(const CRaster& a, const CRaster& b);
// Largest difference of one colour byte; -1 when the sizes differ.
int largestDifference(const CRaster& a, const CRaster& b);

// Blue, green, red of the pixel at (x, y) from the top-left corner.
struct Bgr {
    int blue = 0;
    int green = 0;
    int red = 0;
    bool operator==(const Bgr&) const = default;
};
Bgr pixelAt(const CRaster& image, int x, int y);

enum class JpegKind { Colour, Grey, Progressive };
// A JPEG of a 24-bit picture by libjpeg; empty on failure.
std::vector<std::uint8_t> writeJpeg(const CRaster& image, int quality = 90, JpegKind kind = JpegKind::Colour);

enum class PngKind { Rgb, Rgba, Grey, Rgb16 };
// A PNG of a 24-bit picture by libpng; Rgba takes its alpha from `alpha`
// (width x height, top-down), Grey the green channel; empty on failure.
std::vector<std::uint8_t> writePng(const CRaster& image, PngKind kind,
                                   const std::vector<std::uint8_t>& alpha = {});

// A TIFF file of a 24-bit picture by libtiff (RGB, or RGBA with an
// unassociated alpha from `alpha`, top-down); false on failure.
bool writeTiff(const std::string& path, const CRaster& image, const std::vector<std::uint8_t>& alpha = {});

std::vector<std::uint8_t> readFileBytes(const std::string& path);
bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace dz::test
