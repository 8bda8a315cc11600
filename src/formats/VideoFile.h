#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "image/CRaster.h"
#include "image/DecodeOptions.h"

#include <string>

namespace dz {

// A video's facts as a picture's: the container's creation time as the
// local shot time (the zero date when it has none, so the file time
// stands in), the camera where the metadata names it, the video stream's
// size and a thumbnail of one decoded frame, or the video placeholder when
// no frame decodes. Reads the container's header and index and one frame,
// never the whole file.
FactsOutcome readVideoFacts(const std::string& path, CExifReader& reader);

// That frame at full size, within the memory limit.
bool decodeVideoFile(const std::string& path, const DecodeOptions& options, CRaster& out);

}  // namespace dz
