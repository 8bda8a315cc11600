#include "gui/WindowView.h"

#include "platform/MessageBox.h"

#include <algorithm>

#include <QCoreApplication>
#include <QKeySequence>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace dz::gui {

WindowView::WindowView(Window& window, QWidget* parent)
    : QDialog(parent), window_(window), binder_(window, this, [this](const ControlBinder::Handler& h) { handle(h); }) {
    setObjectName(QString::fromStdString(window.className()));
    setWindowTitle(QString::fromStdString(window.title()));
    window_.setRefreshListener([this] { draw(); });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { handle([](Window& w) { w.onHelp(); }); });
    // Often enough for pictures to appear as they are made, rarely enough
    // to leave the cores to the work itself.
    idleTimer_.setInterval(40);
    connect(&idleTimer_, &QTimer::timeout, this, [this] { idle(); });
    // An application that quits must not be held open by a window that has not ended.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { quitting_ = true; });
}

WindowView::~WindowView() {
    detach();
}

void WindowView::detach() {
    idleTimer_.stop();
    if (!detached_) {
        window_.setRefreshListener(nullptr);
        detached_ = true;
    }
}

void WindowView::start() {
    window_.restart();
    handle([](Window& w) { w.onInit(); });
}

int WindowView::runModal() {
    start();
    while (!detached_ && !window_.hasEnded() && !quitting_) {
        exec();
    }
    if (detached_ || !window_.hasEnded()) {
        return kResultCancel;
    }
    return window_.result();
}

void WindowView::showModeless() {
    setModal(false);
    start();
    if (!window_.hasEnded()) {
        show();
    }
}

void WindowView::handle(const ControlBinder::Handler& handler) {
    if (detached_) {
        return;
    }
    const QPointer<WindowView> alive(this);
    handler(window_);
    if (!alive || detached_) {
        return;
    }
    // Any handler may have started background work.
    if (!idleTimer_.isActive() && !window_.hasEnded()) {
        idleTimer_.start();
    }
    draw();
    if (window_.hasEnded() && isVisible()) {
        done(window_.result());
    }
}

void WindowView::idle() {
    bool more = false;
    handle([&more](Window& w) { more = w.onIdle(); });
    if (!more || detached_ || window_.hasEnded()) {
        idleTimer_.stop();
    }
}

void WindowView::draw() {
    if (!detached_) {
        binder_.draw();
    }
}

void WindowView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) {
        return;
    }
    shown_ = true;
    fitScreen();
    QTimer::singleShot(0, this, [this] { handle([](Window& w) { w.onShown(); }); });
}

void WindowView::fitScreen() {
    const QScreen* screen = this->screen();
    if (!screen) {
        return;
    }
    // Room for the window manager's frame and title bar.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    if (width() > room.width() || height() > room.height()) {
        resize(std::min(width(), room.width()), std::min(height(), room.height()));
    }
}

void WindowView::reject() {
    handle([](Window& w) { w.onCancel(); });
}

void WindowView::accept() {
    handle([](Window& w) { w.onCommand(kResultOk); });
}

}  // namespace dz::gui
