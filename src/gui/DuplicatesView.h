#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Search for duplicates": the group list beside the picture viewer with its
// caption and Remove selected, the status line and progress bar, Analize,
// Compare and the exclude box, OK and Cancel. The passes run inside the
// button clicks and pump messages, so the bar moves, the list fills and
// Cancel is heard while they go.
class DuplicatesView final : public WindowView {
    Q_OBJECT

public:
    DuplicatesView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
