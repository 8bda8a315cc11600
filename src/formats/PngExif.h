#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "platform/ByteSource.h"

#include <cstdint>

namespace dz {

// Reads a PNG file from `file`: its eXIf block into `reader`'s record and,
// when there is one with a date, a thumbnail from the decoded picture.
FactsOutcome readPngFacts(ByteSource& file, std::uint64_t size, CExifReader& reader);

}  // namespace dz
