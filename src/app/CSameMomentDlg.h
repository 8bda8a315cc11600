#pragma once

#include "platform/Window.h"

#include <string>
#include <vector>

namespace dz {

// "Same moment": the user picks a picture of the camera and one of another
// device that were taken at the same moment; the camera's clock is then
// corrected to agree. Rows are "file name<TAB>shown time<TAB>model".
class CSameMomentDlg final : public Window {
public:
    static constexpr int kMineLabel = 1501;
    static constexpr int kMine = 1502;
    static constexpr int kOthersLabel = 1503;
    static constexpr int kOthers = 1504;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    // The columns of both lists.
    static const std::vector<std::string>& columns();

    CSameMomentDlg(Host& host, const std::string& camera, std::vector<std::string> mine,
                   std::vector<std::string> others);

    void onCommand(int id) override;

    // The rows picked, once OK ended the window.
    int mineChosen() const { return control(kMine).selection; }
    int otherChosen() const { return control(kOthers).selection; }
};

}  // namespace dz
