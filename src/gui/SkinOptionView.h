#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Skin Options": the one check box that turns the program's own look on or off.
class SkinOptionView final : public WindowView {
    Q_OBJECT

public:
    SkinOptionView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
