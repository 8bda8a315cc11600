#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "View Large Image": one film picture, 640 x 480 to start and fitted to the
// window as it is resized, with its path.
class ViewLargeView final : public WindowView {
public:
    ViewLargeView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
