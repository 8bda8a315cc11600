#pragma once

#include "exif/CExifReader.h"
#include "formats/PictureFacts.h"
#include "image/CRaster.h"
#include "image/DecodeOptions.h"

#include <string>

namespace dz {

// A video's facts as a picture's, from its index box alone: the container's
// creation time as the local shot time (the zero date when it has none, so
// the file time stands in), the camera where the metadata names it and the
// video track's size as shown. No frame is decoded and FFmpeg is not loaded:
// the film makes the thumbnail on its workers when it shows the video.
FactsOutcome readVideoFacts(const std::string& path, CExifReader& reader);

// The movie's picture (one key frame) shown upright, through the video
// module, scaled to fit the options' wanted size when one is given, within
// the memory limit. False when the module is missing or no frame decodes.
bool decodeVideoFile(const std::string& path, const DecodeOptions& options, CRaster& out);

}  // namespace dz
