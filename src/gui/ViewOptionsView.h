#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Set view options": the sort order and key of the film.
class ViewOptionsView final : public WindowView {
public:
    ViewOptionsView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
