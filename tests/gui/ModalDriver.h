#pragma once

#include "gui/ControlBinder.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QTimer;

namespace dz {
class Host;
class Window;
}  // namespace dz

namespace dz::test {

// Drives modal dialogs from inside their own event loop: an action runs as
// soon as the active modal widget is one that its matcher accepts. A dialog
// that never comes up fails the test instead of hanging it, and waits still
// pending when the driver goes fail the test too.
class ModalDriver {
public:
    using Match = std::function<bool(QWidget*)>;
    using Action = std::function<void(QWidget*)>;

    ModalDriver() = default;
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void when(Match match, Action action);

private:
    void forget(QTimer* timer);

    std::vector<QTimer*> pending_;
};

// Runs `window` modally through `host` with `script` inside its view. A view
// that never comes up, or a script that leaves the window open, fails the
// test; the window is then closed so the test cannot hang.
int runScripted(Host& host, Window& window, ModalDriver& driver, const std::function<void(QWidget*)>& script);

// Matchers: the view of a window class ("CTimeFormat"); a message box with this text.
ModalDriver::Match isView(const QString& className);
ModalDriver::Match isMessageBox(const QString& text);

// Presses the button with this text in a message box.
void pressMessageButton(QWidget* box, const QString& buttonText);

// The widget or menu item that shows the control `id` inside `view`.
template <typename T>
T* controlOf(QWidget* view, int id) {
    return view->findChild<T*>(gui::ControlBinder::objectName(id));
}
QAction* actionOf(QWidget* view, int id);

// Lets the event loop run until `done` holds; false when it did not within
// the driver's patience.
bool waitUntil(const std::function<bool()>& done);

}  // namespace dz::test
