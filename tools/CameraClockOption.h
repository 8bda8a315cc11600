#pragma once

#include "timeline/CameraClock.h"

#include "app/AppState.h"

#include <ostream>
#include <string>
#include <vector>

namespace dz {

// Takes one "MODEL=ZONE" of --camera-clock into `clocks`: the model as `info`
// prints cameraModel, the zone "+HH:MM", "-HH:MM", a zone name such as
// "Europe/Berlin", or "local". False, after saying why on `err`, otherwise.
bool takeCameraClockOption(const std::string& value, CameraClocks& clocks, std::ostream& err);

// A command's words with every "--camera-clock MODEL=ZONE" before a "--"
// taken into `clocks`; the others are left in `rest` in their order. False,
// after saying why on `err`, when a value is missing or not MODEL=ZONE.
bool takeCameraClockOptions(const std::vector<std::string>& args, CameraClocks& clocks,
                            std::vector<std::string>& rest, std::ostream& err);

// A loaded session's pictures under the clocks given on the command line
// (they replace the session's own for those models): on the timeline, with
// each album's ends following the pictures it holds. Nothing when none given.
void applyCameraClocks(const CameraClocks& given, AppState& state);

// The lines of a command's usage that describe the option.
extern const char* const kCameraClockUsage;

}  // namespace dz
