#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "platform/ByteSource.h"

namespace dz {

// Reads a Fujifilm RAF file from `file`: its header, then the JPEG it
// embeds, whose EXIF segment lands in `reader`'s record. The thumbnail is
// the larger of that JPEG and its own EXIF thumbnail that decodes.
FactsOutcome readRafFacts(ByteSource& file, CExifReader& reader);

}  // namespace dz
