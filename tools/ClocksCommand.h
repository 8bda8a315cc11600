#pragma once

#include "timeline/CameraClock.h"

#include <ostream>
#include <string>
#include <vector>

namespace dz {

// `dezoredu-cli clocks [--camera-clock MODEL=ZONE]... PATH...`: every camera
// of the photos and videos under the paths, what the program infers of its
// clock, and why; one JSON object a line.
class ClocksCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    ClocksCommand(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // `args` are the words after "clocks".
    int run(const std::vector<std::string>& args);

    static void printUsage(std::ostream& err);

private:
    std::ostream& out_;
    std::ostream& err_;
    CameraClocks clocks_;
};

}  // namespace dz
