#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "platform/ByteSource.h"

namespace dz {

// Reads a Canon CR3 file from `file`: the boxes ahead of its picture data,
// the TIFF blocks of IFD0 (CMT1) and of the EXIF directory (CMT2) into
// `reader`'s record, and as thumbnail the larger of its small thumbnail
// (THMB) and its preview (PRVW) that decodes.
FactsOutcome readCr3Facts(ByteSource& file, CExifReader& reader);

}  // namespace dz
