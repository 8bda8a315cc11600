#include "app/CPassedOverDlg.h"

namespace dz {

CPassedOverDlg::CPassedOverDlg(Host& host, const std::vector<PassedOver>& files)
    : Window(host, "CPassedOverDlg", "Passed over", 0) {
    Control& list = addControl(kList, ControlKind::ListBox);
    list.items.reserve(files.size());
    for (const PassedOver& file : files) {
        list.items.push_back(file.path + ": " + file.reason);
    }
    addControl(kClose, ControlKind::Button, "Close");
}

void CPassedOverDlg::onCommand(int id) {
    if (id == kClose) {
        endDialog(kResultOk);
    }
}

}  // namespace dz
