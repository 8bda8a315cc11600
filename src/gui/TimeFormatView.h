#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Date and Time format": a drop-down list of samples for the date and one for the time.
class TimeFormatView final : public WindowView {
    Q_OBJECT

public:
    TimeFormatView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
