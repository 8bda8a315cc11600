#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "About Dezoredu": the program's icon, version, build and credits.
class AboutView final : public WindowView {
    Q_OBJECT

public:
    AboutView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
