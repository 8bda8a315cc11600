#pragma once

#include "exif/ExifByteReader.h"

#include <cstdint>

namespace dz {

// Bytes of one component of a TIFF format code 1 to 12; 0 for format 0 and
// for codes outside the table.
std::uint64_t exifFormatSize(int format);

// The first component of a value as a number, in the view's byte order;
// FLOAT and DOUBLE are little-endian whatever that order. ASCII, UNDEFINED,
// unknown formats and a value too short for one component give 0.
double exifValueAsNumber(const ExifByteReader& value, int format);

}  // namespace dz
