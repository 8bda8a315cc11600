#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Passed over": the files the scan left out, one a line, wide enough for
// a path and its reason, and Close.
class PassedOverView final : public WindowView {
    Q_OBJECT

public:
    PassedOverView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
