#include "process/CProcessPreview.h"

#include "exif/TextFormat.h"

namespace dz {

namespace {

// The part of `path` below the target, or all of it when it lies elsewhere.
std::string belowTarget(const std::string& path, const std::string& target) {
    if (path.size() > target.size() && path.compare(0, target.size(), target) == 0 && path[target.size()] == '/') {
        return path.substr(target.size() + 1);
    }
    return path;
}

std::string noteFor(const PlannedPicture& p) {
    switch (p.action) {
    case PlannedPicture::Action::Copy: return "copied from " + p.source;
    case PlannedPicture::Action::Move: return "moved from " + p.source;
    case PlannedPicture::Action::AlreadyThere: return "already there: " + p.source;
    case PlannedPicture::Action::RenamedForClash: return "renamed, its name is taken by another picture: " + p.source;
    case PlannedPicture::Action::AsksOverwrite: return "asks to overwrite another file: " + p.source;
    case PlannedPicture::Action::Refused: return "refused: " + p.reason;
    case PlannedPicture::Action::InPlace: return "in-place: the picture is already this file";
    }
    return {};
}

}  // namespace

CProcessPreview::CProcessPreview(Host& host, const RunPlan& plan, const std::string& targetFolder)
    : Window(host, "CProcessPreview", "Processing Preview", 22) {
    addControl(kClose, ControlKind::Button, "Close");
    Control& tree = addControl(kTree, ControlKind::TreeView);
    for (const std::string& folder : plan.newFolders) {
        tree.items.push_back(belowTarget(folder, targetFolder) + "\tnew folder");
    }
    int already = 0;
    int asks = 0;
    for (const PlannedPicture& picture : plan.pictures) {
        tree.items.push_back(itemFor(picture, targetFolder));
        already += picture.action == PlannedPicture::Action::AlreadyThere ? 1 : 0;
        asks += picture.action == PlannedPicture::Action::AsksOverwrite ? 1 : 0;
    }
    addControl(kSummary, ControlKind::Static,
               formatText("%d pictures, %.2fMB to write, %d new folders, %d renamed for a clash, %d already there, "
                          "%d to ask about.",
                          plan.pictureCount(), static_cast<double>(plan.bytes) / 1048576.0,
                          static_cast<int>(plan.newFolders.size()), plan.clashes, already, asks));
}

std::string CProcessPreview::itemFor(const PlannedPicture& picture, const std::string& targetFolder) {
    const std::string place = picture.target.empty() ? picture.source : belowTarget(picture.target, targetFolder);
    return place + "\t" + noteFor(picture);
}

void CProcessPreview::onCommand(int id) {
    if (id == kClose) {
        endDialog(kResultOk);
    }
}

}  // namespace dz
