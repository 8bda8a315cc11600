#pragma once

#include "catalogue/PictureRecord.h"
#include "timeline/Timeline.h"

#include <vector>

namespace dz {

// What the catalogue's pictures say, for the timeline: the shot time the
// scan chose with the offset tag that goes with it, the GPS fix, and the
// camera body (pictures of one make, model and serial share one).
TimelineInput timelineInputOf(const std::vector<PictureRecord>& pictures);

// The camera body a picture names; empty make and model for none.
CameraBody cameraBodyOf(const ExifInfo& exif);

}  // namespace dz
