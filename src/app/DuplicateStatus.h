#pragma once

#include "formats/PictureKind.h"

#include <cstdint>
#include <string>

namespace dz {

// The status line after duplicates were found: `catalogueSize` pictures now
// in the catalogue, `duplicates` found, `scanned` pictures found by the scan.
// "JPEG only" names them by the mask's word (`jpegWord`, ".JPG pictures"),
// all formats "pictures and videos".
const char* pictureFilesWord(PictureFiles files, const char* jpegWord);

std::string duplicateStatusText(std::int64_t catalogueSize, std::int32_t duplicates, std::int32_t scanned,
                                PictureFiles files = PictureFiles::JpegOnly);

}  // namespace dz
