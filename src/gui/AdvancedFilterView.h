#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Advanced Filter": one row per criterion with its Max and Min lists, its
// box, its reset button and its indicator lamp; the switches and Close below.
class AdvancedFilterView final : public WindowView {
public:
    AdvancedFilterView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
