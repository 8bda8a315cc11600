#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "View Large Image": one film picture at 640 x 480 with its path.
class ViewLargeView final : public WindowView {
public:
    ViewLargeView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
