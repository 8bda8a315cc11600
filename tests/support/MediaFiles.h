#pragma once

#include <string>
#include <vector>

namespace dz::test {

// True when the ffmpeg program is installed; the tests that make videos and
// WebP files with it skip without it.
bool ffmpegAvailable();

// Runs "ffmpeg -v error -y ARGS OUT"; true when it made OUT.
bool runFfmpeg(const std::string& args, const std::string& out);

// Runs "exiftool -q -overwrite_original ARGS 'PATH'", which rewrites PATH in
// place; true when it succeeded.
bool runExiftool(const std::string& args, const std::string& path);

// What "exiftool -T -n TAGS 'PATH'" reads, one value per tag in their order
// ("-Composite:GPSLatitude"); empty for a tag the file does not have.
std::vector<std::string> exiftoolValues(const std::vector<std::string>& tags, const std::string& path);

// The "Exif\0\0" segment of a JPEG file's APP1 section (header included);
// empty when it has none.
std::string exifSegmentOf(const std::string& jpeg);

// A simple lossy WebP file ("VP8 " chunk alone) turned into the extended
// layout with an EXIF chunk holding `exif` after the picture.
std::string webpWithExif(const std::string& webp, const std::string& exif);

}  // namespace dz::test
