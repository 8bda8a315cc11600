#pragma once

#include "platform/MessageBox.h"

class QWidget;

namespace dz::gui {

// A message of the program as a QMessageBox: its text, caption, icon and
// buttons, answering with the button pressed.
class MessageBoxDialog {
public:
    static Answer ask(const MessageRequest& request, QWidget* parent);
};

}  // namespace dz::gui
