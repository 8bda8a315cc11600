#pragma once

#include "platform/Window.h"

#include <functional>

namespace dz {

struct Settings;

// The "Skin Options" window: one check box.
class CSkinOption final : public Window {
public:
    static constexpr int kEnableSkin = 1176;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    CSkinOption(Host& host, Settings& settings, std::function<void()> save);

    void onInit() override;
    void onCommand(int id) override;

private:
    Settings& settings_;
    std::function<void()> save_;
};

}  // namespace dz
