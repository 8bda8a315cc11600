#pragma once

#include "platform/Window.h"
#include "process/RunPlan.h"

#include <string>

namespace dz {

// "Processing Preview": the plan of a run as a tree of the target folder,
// before anything is written. Each picture is shown at its place with what
// will happen to it; clashes, pictures already there and questions to come
// are marked. Opened from the Albums Processing window's Preview button.
class CProcessPreview final : public Window {
public:
    static constexpr int kClose = 1;
    static constexpr int kTree = 1170;
    static constexpr int kSummary = 1171;

    CProcessPreview(Host& host, const RunPlan& plan, const std::string& targetFolder);

    void onCommand(int id) override;

    // The tree's item for one planned picture: its place below the target
    // and the note that says what happens.
    static std::string itemFor(const PlannedPicture& picture, const std::string& targetFolder);
};

}  // namespace dz
