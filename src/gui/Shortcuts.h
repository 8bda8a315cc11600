#pragma once

#include <QKeySequence>

#include <string>
#include <vector>

namespace dz::gui {

// A key of the desktop's that does what one of a window's commands does.
struct Shortcut {
    std::string windowClass;
    // The menu item the key belongs to, or the widget that must have the focus.
    int control = 0;
    QKeySequence keys;
    // What the key does: onCommand(command), or the control's double-click when 0.
    int command = 0;
};

// Every such key of the program. F1 is every window's help and not listed.
const std::vector<Shortcut>& shortcutTable();

}  // namespace dz::gui
