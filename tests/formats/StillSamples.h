#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Files of the container formats made from the samples in tests/data, for
// what the samples lack.
namespace dz::test {

// A width x height PNG (libpng) with an eXIf chunk after IHDR holding the
// TIFF block of canon-40d.jpg.
std::string pngWithExif(int width, int height);

// CanonRaw.cr3 with its metadata kept and its preview box replaced by one
// holding `jpeg` (a 240 x 160 picture), as the camera writes it.
std::string cr3WithPreview(const std::vector<std::uint8_t>& jpeg);

}  // namespace dz::test
