#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "image/CRaster.h"
#include "image/DecodeOptions.h"
#include "platform/ByteSource.h"

#include <cstdint>
#include <string>

namespace dz {

// Reads a HEIF file (HEIC, AVIF) from `file`: the EXIF block of its primary
// picture into `reader`'s record and, when there is one, a thumbnail from
// the file's thumbnail picture, else from the primary picture.
FactsOutcome readHeifFacts(ByteSource& file, std::uint64_t size, CExifReader& reader);

// Decodes the primary picture of the HEIF file at `path` into `out`, within
// the options' memory limit.
bool decodeHeifFile(const std::string& path, const DecodeOptions& options, CRaster& out);

}  // namespace dz
