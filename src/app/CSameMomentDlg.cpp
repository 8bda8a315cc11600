#include "app/CSameMomentDlg.h"

#include "app/MainWindowTexts.h"

namespace dz {

const std::vector<std::string>& CSameMomentDlg::columns() {
    static const std::vector<std::string> names = {"File", "Shot at", "Camera"};
    return names;
}

CSameMomentDlg::CSameMomentDlg(Host& host, const std::string& camera, std::vector<std::string> mine,
                               std::vector<std::string> others)
    : Window(host, "CSameMomentDlg", "Same moment", 0) {
    addControl(kMineLabel, ControlKind::Static, "A picture of the " + camera + ":");
    addControl(kMine, ControlKind::ListBox).items = std::move(mine);
    addControl(kOthersLabel, ControlKind::Static, "A picture of another camera or phone taken at the same moment:");
    addControl(kOthers, ControlKind::ListBox).items = std::move(others);
    addControl(kOk, ControlKind::Button, "OK");
    addControl(kCancel, ControlKind::Button, "Cancel");
}

void CSameMomentDlg::onCommand(int id) {
    if (id == kCancel) {
        endDialog(kResultCancel);
        return;
    }
    if (id != kOk) {
        return;
    }
    const auto picked = [this](int list) {
        const Control& c = control(list);
        return c.selection >= 0 && c.selection < static_cast<int>(c.items.size());
    };
    if (!picked(kMine) || !picked(kOthers)) {
        host().messageBox("Please select a picture in each list first.", mainwin::kCaption, Icon::Exclamation);
        return;
    }
    endDialog(kResultOk);
}

}  // namespace dz
