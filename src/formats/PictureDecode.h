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

}  // namespace dz
