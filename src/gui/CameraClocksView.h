#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Camera clocks": the one-timeline box, the cameras in columns, the clock
// and correction of the selected camera with Set and Same moment, OK and Cancel.
class CameraClocksView final : public WindowView {
    Q_OBJECT

public:
    CameraClocksView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
