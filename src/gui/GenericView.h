#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// A plain view for a window without a view of its own: every control in id
// order, push buttons in a row at the bottom. Usable, not pretty.
class GenericView final : public WindowView {
    Q_OBJECT

public:
    GenericView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
