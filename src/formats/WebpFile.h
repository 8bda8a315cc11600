#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "image/CRaster.h"
#include "image/DecodeOptions.h"
#include "platform/ByteSource.h"

#include <cstdint>
#include <string>

namespace dz {

// A WebP file's EXIF chunk through the EXIF decoder; the thumbnail is the
// EXIF one, or else made from the decoded picture. A file without EXIF is
// decoded (the structure was read) but has no EXIF data.
FactsOutcome readWebpFacts(ByteSource& file, std::uint64_t size, CExifReader& reader);

// The WebP picture at `path` at full size, within the memory limit.
bool decodeWebpFile(const std::string& path, const DecodeOptions& options, CRaster& out);

}  // namespace dz
