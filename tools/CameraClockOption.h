#pragma once

#include "timeline/CameraClock.h"

#include "app/AppState.h"

#include <ostream>
#include <string>

namespace dz {

// Takes one "MODEL=ZONE" of --camera-clock into `clocks`: the model as `info`
// prints cameraModel, the zone "+HH:MM", "-HH:MM", a zone name such as
// "Europe/Berlin", or "local". False, after saying why on `err`, otherwise.
bool takeCameraClockOption(const std::string& value, CameraClocks& clocks, std::ostream& err);

// A loaded session's pictures under the clocks given on the command line
// (they replace the session's own for those models): on the timeline, with
// each album's ends following the pictures it holds. Nothing when none given.
void applyCameraClocks(const CameraClocks& given, AppState& state);

// The lines of a command's usage that describe the option.
extern const char* const kCameraClockUsage;

}  // namespace dz
