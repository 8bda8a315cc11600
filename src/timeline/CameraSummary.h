#pragma once

#include "timeline/Timeline.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dz {

// One camera of the catalogue as the timeline sees it: its shots, and what
// its clock was on, with why the program thinks so.
struct CameraSummary {
    CameraBody body;
    std::size_t count = 0;
    std::int64_t firstLocal = 0;  // local times at the place of its first and
    std::int64_t lastLocal = 0;   // last shot on the timeline
    bool clockSet = false;        // the user set its clock
    std::string clock;            // "local", "+09:00", "Europe/Berlin"
    std::string why;
};

// Every camera body of `input`, in the order the catalogue first names them.
std::vector<CameraSummary> summariseCameras(const TimelineInput& input, const std::vector<ShotTime>& times,
                                            const CameraClocks& clocks);

}  // namespace dz
