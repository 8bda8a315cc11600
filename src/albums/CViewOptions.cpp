#include "albums/CViewOptions.h"

namespace dz {

namespace {
constexpr int kHelpTopic = 15;
}

CViewOptions::CViewOptions(Host& host, ViewSettings& view)
    : Window(host, "CViewOptions", "Set view options", kHelpTopic), view_(view) {
    addControl(kPrompt, ControlKind::Static, "Please Set View Options");
    addControl(kSortGroup, ControlKind::Group, "Sort");
    addControl(kOrder, ControlKind::ComboBox).items = {"Ascendent", "Descendent"};
    addControl(kByName, ControlKind::RadioButton, "By Name");
    addControl(kByDate, ControlKind::RadioButton, "By Date");
    addControl(kAccept, ControlKind::Button, "Accept");
    addControl(kDiscard, ControlKind::Button, "Discard");
}

void CViewOptions::show() {
    control(kOrder).selection = view_.sortAscending ? 0 : 1;
    control(kByName).checked = !view_.sortByDate;
    control(kByDate).checked = view_.sortByDate != 0;
    refresh();
}

void CViewOptions::onInit() {
    changed_ = false;
    show();
}

void CViewOptions::onSelectionChanged(int id) {
    if (id != kOrder || control(kOrder).selection < 0) {
        return;
    }
    view_.sortAscending = control(kOrder).selection == 0 ? 1 : 0;
    changed_ = true;
    show();
}

void CViewOptions::onCommand(int id) {
    switch (id) {
    case kByName:
    case kByDate:
        view_.sortByDate = id == kByDate ? 1 : 0;
        changed_ = true;
        show();
        return;
    case kAccept:
        endDialog(kResultOk);
        return;
    case kDiscard:
        endDialog(kResultCancel);
        return;
    default:
        return;
    }
}

}  // namespace dz
