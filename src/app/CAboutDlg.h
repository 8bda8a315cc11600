#pragma once

#include "platform/Window.h"

namespace dz {

// "About Dezoredu".
class CAboutDlg final : public Window {
public:
    static constexpr int kOk = 1;
    static constexpr int kVersion = 2201;
    static constexpr int kBuild = 2202;
    static constexpr int kCredits = 2203;

    explicit CAboutDlg(Host& host);
    void onCommand(int id) override;
};

}  // namespace dz
