#include "app/CSkinOption.h"

#include "app/Settings.h"

namespace dz {

CSkinOption::CSkinOption(Host& host, Settings& settings, std::function<void()> save)
    : Window(host, "CSkinOption", "Skin Options", 0), settings_(settings), save_(std::move(save)) {
    addControl(kEnableSkin, ControlKind::CheckBox, "Enable Skin");
    addControl(kOk, ControlKind::Button, "OK");
    addControl(kCancel, ControlKind::Button, "Cancel");
}

void CSkinOption::onInit() {
    control(kEnableSkin).checked = settings_.skinEnabled != 0;
    refresh();
}

void CSkinOption::onCommand(int id) {
    if (id == kOk) {
        settings_.skinEnabled = control(kEnableSkin).checked ? 1 : 0;
        if (save_) {
            save_();
        }
        endDialog(kResultOk);
        return;
    }
    if (id == kCancel) {
        endDialog(kResultCancel);
    }
}

}  // namespace dz
