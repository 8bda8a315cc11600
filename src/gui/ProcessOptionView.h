#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Process Option": the check box that has albums processed by moving the
// pictures, its explanation, and Save and Discard.
class ProcessOptionView final : public WindowView {
    Q_OBJECT

public:
    ProcessOptionView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
