#pragma once

#include "exif/ExifInfo.h"
#include "image/CRaster.h"

namespace dz {

// The box a thumbnail the program makes itself must fit, the film's.
inline constexpr int kMadeThumbnailWidth = 160;
inline constexpr int kMadeThumbnailHeight = 120;
inline constexpr int kMadeThumbnailQuality = 85;

// Keeps `picture`, reduced to fit the film's box with its proportions kept,
// as the record's thumbnail in JPEG bytes, so that a catalogue of many such
// files stays as small as one of JPEGs. False, the record as it was, when it
// cannot be made.
bool keepMadeThumbnail(const CRaster& picture, ExifInfo& info);

}  // namespace dz
