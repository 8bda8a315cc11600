#pragma once

#include "image/CRaster.h"
#include "image/DecodeOptions.h"
#include "image/ImageFormat.h"

#include <string>

namespace dz {

// Decodes the picture a catalogued file shows, by the kind its name says:
// a raw file its largest embedded preview, a container its primary picture;
// any other file (a JPEG above all) as `plainFormat`. False, with the
// raster's lastError(), when nothing decodes. Safe on any thread.
bool decodePictureFile(const std::string& path, const DecodeOptions& options, CRaster& out,
                       ImageFormat plainFormat = ImageFormat::Detect);

// The picture that stands for a file of its kind when decodePictureFile
// finds none: the video placeholder for a video whose frame does not decode
// (so the film shows a video is there, not a broken picture). False for
// every other kind.
bool decodeKindPlaceholder(const std::string& path, CRaster& out);

}  // namespace dz
