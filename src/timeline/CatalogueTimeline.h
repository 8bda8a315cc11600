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

// Puts each picture where `times` (one per picture, in the same order) says:
// its key becomes its exact moment and its texts show the local time at its
// place. The catalogue is then ordered by moment, shots of one moment by path.
void putOnTimeline(std::vector<PictureRecord>& pictures, const std::vector<ShotTime>& times,
                   const OffsetAt& computerOffset);

// True when some shot tells its zone or its place (an offset tag, a GPS
// time or position, a correction) or the user set a camera's clock.
bool tellsZones(const TimelineInput& input, const CameraClocks& clocks);

// Resolves the timeline of `pictures` and puts them on it; where nothing
// tells a zone, leaves them with the keys and order of their shot times
// alone (and says false), so a folder of one camera sorts as it always has.
bool placeCatalogueOnTimeline(std::vector<PictureRecord>& pictures, const CameraClocks& clocks,
                              const PlaceFinder& places, const OffsetAt& computerOffset, int biasMinutes);

// Takes every picture off the timeline: keys and order as the shot times
// alone make them.
void takeOffTimeline(std::vector<PictureRecord>& pictures, int biasMinutes);

}  // namespace dz
