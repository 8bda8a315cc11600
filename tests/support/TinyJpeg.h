#pragma once

#include <string>

namespace dz::test {

// The head of a small JPEG file: start of image, an EXIF block in
// little-endian order whose first directory holds Make and a link to an EXIF
// directory with DateTimeOriginal, a frame header of `width` x `height`, and a
// start of scan followed by a few bytes of picture data and the end of image.
// An empty `dateTime` leaves the tag out; `make` has at least four characters,
// so that its text lies outside the directory entry.
std::string tinyExifJpeg(const std::string& dateTime, const std::string& make = "TestCam",
                         int width = 640, int height = 480);

// A JPEG file head with a frame header but no EXIF block.
std::string tinyPlainJpeg(int width = 320, int height = 240);

}  // namespace dz::test
