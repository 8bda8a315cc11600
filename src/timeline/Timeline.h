#pragma once

#include "timeline/CameraClock.h"
#include "timeline/PlaceOfShot.h"
#include "timeline/ShotFacts.h"
#include "timeline/ShotTime.h"
#include "timeline/WallClock.h"

#include <vector>

namespace dz {

// How far apart on the timeline two shots may be for one to lend the other
// the zone of its place.
inline constexpr std::int64_t kNearbyShotSeconds = 6 * 3600;

// Everything the timeline is resolved from.
struct TimelineInput {
    std::vector<ShotFacts> shots;
    std::vector<CameraBody> bodies;  // ShotFacts::camera indexes these
};

// The moment and the local time of every shot, each with its source; one
// ShotTime per shot, in the same order. A pure function of its arguments.
//
// The moment comes from the first that applies: the offset tag; the GPS
// time against the shot time (rounded to the quarter hour); the zone the
// user set for the camera's clock; the zone of the shot's place (its own
// position, else a shot of known place at the same local time); the
// computer's zone. The offset of the place comes from the zone of its
// position, else of the nearest shot of known place on the timeline, else
// the offset tag, else the computer's zone. The user's corrections of a
// clock always apply.
std::vector<ShotTime> resolveTimeline(const TimelineInput& input, const CameraClocks& clocks,
                                      const PlaceFinder& places, const OffsetAt& computerOffset);

}  // namespace dz
