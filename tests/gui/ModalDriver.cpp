#include "ModalDriver.h"

#include "platform/Host.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace dz::test {

namespace {
constexpr qint64 kPatienceMs = 10000;
}

ModalDriver::~ModalDriver() {
    for (QTimer* timer : pending_) {
        ADD_FAILURE() << "an expected modal dialog never came up";
        delete timer;
    }
}

void ModalDriver::forget(QTimer* timer) {
    pending_.erase(std::remove(pending_.begin(), pending_.end(), timer), pending_.end());
    timer->deleteLater();
}

void ModalDriver::when(Match match, Action action) {
    auto* timer = new QTimer;
    pending_.push_back(timer);
    QElapsedTimer clock;
    clock.start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [this, timer, clock, match = std::move(match), action = std::move(action)] {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (modal && match(modal)) {
                             // Done with the timer first: the action may open the
                             // next modal dialog and block in it.
                             timer->stop();
                             const Action run = action;
                             forget(timer);
                             run(modal);
                             return;
                         }
                         if (clock.elapsed() > kPatienceMs) {
                             auto* box = qobject_cast<QMessageBox*>(modal);
                             std::fprintf(stderr, "an expected modal dialog did not come up; active: %s %s\n",
                                          modal ? modal->objectName().toUtf8().constData() : "none",
                                          box ? box->text().toUtf8().constData() : "");
                             std::abort();
                         }
                     });
    timer->start();
}

ModalDriver::Match isView(const QString& className) {
    return [className](QWidget* w) { return w->objectName() == className && w->isVisible(); };
}

ModalDriver::Match isMessageBox(const QString& text) {
    return [text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box && box->isVisible() && box->text() == text;
    };
}

void pressMessageButton(QWidget* box, const QString& buttonText) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    ASSERT_NE(messageBox, nullptr);
    for (QAbstractButton* button : messageBox->buttons()) {
        if (button->text().remove(QLatin1Char('&')) == buttonText) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << buttonText.toStdString();
    messageBox->reject();
}

QAction* actionOf(QWidget* view, int id) {
    return view->findChild<QAction*>(gui::ControlBinder::objectName(id));
}

bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kPatienceMs) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

int runScripted(Host& host, Window& window, ModalDriver& driver, const std::function<void(QWidget*)>& script) {
    const std::string name = window.title();
    bool ran = false;
    driver.when(isView(QString::fromStdString(window.className())), [&](QWidget* view) {
        ran = true;
        script(view);
        if (!window.hasEnded()) {
            ADD_FAILURE() << "the " << name << " window did not end";
            window.endDialog(kResultCancel);
            static_cast<QDialog*>(view)->done(kResultCancel);
        }
    });
    const int result = host.runModal(window);
    EXPECT_TRUE(ran) << "the " << name << " view never came up";
    return result;
}

}  // namespace dz::test
