#pragma once

#include "catalogue/CDirReader.h"
#include "platform/Window.h"

#include <vector>

namespace dz {

// "Passed over": every file the last scan left out of the catalogue, with
// the reason, so that nothing is left out in silence.
class CPassedOverDlg final : public Window {
public:
    static constexpr int kList = 1301;
    static constexpr int kClose = 1;

    CPassedOverDlg(Host& host, const std::vector<PassedOver>& files);

    void onCommand(int id) override;
};

}  // namespace dz
