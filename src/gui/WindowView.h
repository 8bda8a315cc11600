#pragma once

#include "gui/ControlBinder.h"
#include "platform/Window.h"

#include <QDialog>
#include <QTimer>

namespace dz::gui {

// The Qt face of one window of the program. A view lays out widgets for the
// window's controls; every user action becomes a call of one of the window's
// handlers, after which every widget is drawn again from the controls and the
// dialog closes once the window has ended. The window's refresh listener
// redraws too, so a long handler that pumps messages shows its progress.
class WindowView : public QDialog {
    Q_OBJECT

public:
    WindowView(Window& window, QWidget* parent);
    ~WindowView() override;

    Window& window() { return window_; }

    // Starts the window (onInit) and runs it modally until it has ended.
    int runModal();
    // Starts the window and shows it without blocking.
    void showModeless();
    // Lets go of the window: no more handler calls or redraws. Called before
    // the window itself may go away.
    void detach();

    // Calls a handler of the window, then redraws or closes.
    void handle(const ControlBinder::Handler& handler);
    void draw();

protected:
    ControlBinder& binder() { return binder_; }
    // Esc and the close box go to the window, which decides whether it ends.
    void reject() override;
    // Enter with no default button: the window's OK command.
    void accept() override;
    // The first show tells the window it is on screen, from inside the
    // running event loop, so a long first job can pump messages.
    void showEvent(QShowEvent* event) override;

private:
    void start();
    // A window larger than its screen is made to fit it, down to its minimum.
    void fitScreen();
    // Calls onIdle() while the window has background work.
    void idle();

    Window& window_;
    ControlBinder binder_;
    bool detached_ = false;
    bool quitting_ = false;
    bool shown_ = false;
    QTimer idleTimer_;
};

}  // namespace dz::gui
