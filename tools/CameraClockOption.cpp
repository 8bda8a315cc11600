#include "CameraClockOption.h"

#include "app/CatalogueOnTimeline.h"

#include <algorithm>

namespace dz {

const char* const kCameraClockUsage =
    "  --camera-clock MODEL=ZONE   the camera of that model (as \"cameraModel\" is\n"
    "          printed) kept its clock on ZONE: \"+HH:MM\", \"-HH:MM\", a zone name such\n"
    "          as \"Europe/Berlin\" (which follows daylight saving), or \"local\" for the\n"
    "          local time of the place (the default); may be given for several models\n";

bool takeCameraClockOptions(const std::vector<std::string>& args, CameraClocks& clocks,
                            std::vector<std::string>& rest, std::ostream& err) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        optionsEnded = optionsEnded || args[i] == "--";
        if (optionsEnded || args[i] != "--camera-clock") {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size()) {
            err << "dezoredu-cli: --camera-clock needs a value\n";
            return false;
        }
        if (!takeCameraClockOption(args[++i], clocks, err)) {
            return false;
        }
    }
    return true;
}

void applyCameraClocks(const CameraClocks& given, AppState& state) {
    if (given.byModel.empty()) {
        return;
    }
    for (const auto& [model, clock] : given.byModel) {
        auto& set = state.cameraClocks.byModel;
        const auto found = std::find_if(set.begin(), set.end(), [&](const auto& entry) { return entry.first == model; });
        if (found != set.end()) {
            found->second = clock;
        } else {
            set.emplace_back(model, clock);
        }
        // A body's own setting would win over the model's.
        auto& bodies = state.cameraClocks.byBody;
        bodies.erase(std::remove_if(bodies.begin(), bodies.end(), [&](const auto& entry) { return entry.first.model == model; }),
                     bodies.end());
    }
    state.oneTimeline = true;
    retimeCatalogue(state);
}

bool takeCameraClockOption(const std::string& value, CameraClocks& clocks, std::ostream& err) {
    // Zones hold no '=', models may.
    const std::size_t split = value.rfind('=');
    if (split == std::string::npos || split == 0) {
        err << "dezoredu-cli: --camera-clock takes MODEL=ZONE, not " << value << "\n";
        return false;
    }
    const std::string model = value.substr(0, split);
    const std::optional<CameraClock> clock = parseClockZone(value.substr(split + 1));
    if (!clock) {
        err << "dezoredu-cli: --camera-clock: no such zone: " << value.substr(split + 1) << "\n";
        return false;
    }
    for (auto& [known, set] : clocks.byModel) {
        if (known == model) {
            set = *clock;
            return true;
        }
    }
    clocks.byModel.emplace_back(model, *clock);
    return true;
}

}  // namespace dz
