#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Same moment": the camera's pictures beside those of every other device,
// each list in columns, OK and Cancel.
class SameMomentView final : public WindowView {
    Q_OBJECT

public:
    SameMomentView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
