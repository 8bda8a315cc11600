#include "gui/QtHost.h"

#include "gui/AboutView.h"
#include "gui/AdvancedFilterView.h"
#include "gui/CameraClocksView.h"
#include "gui/DuplicatesView.h"
#include "gui/HelpViewer.h"
#include "gui/MainWindowView.h"
#include "gui/PassedOverView.h"
#include "gui/ManualTimeView.h"
#include "gui/MessageBoxDialog.h"
#include "gui/ProcessOptionView.h"
#include "gui/PreviewView.h"
#include "gui/ProcessView.h"
#include "gui/SameMomentView.h"
#include "gui/PictureFilesView.h"
#include "gui/SkinOptionView.h"
#include "gui/SuggestAlbumsView.h"
#include "gui/TimeFormatView.h"
#include "gui/EditAlbumView.h"
#include "gui/ViewLargeView.h"
#include "gui/ViewOptionsView.h"
#include "gui/WindowView.h"
#include "platform/Help.h"
#include "platform/Window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>
#include <QUrl>

// Resources of a static library are registered by hand.
static void initResources() {
    Q_INIT_RESOURCE(dezoredu);
}

namespace dz::gui {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename View>
ViewRegistry::Factory factory() {
    return [](Window& window, QWidget* parent) { return std::make_unique<View>(window, parent); };
}

}  // namespace

QtHost::QtHost(std::vector<std::string> helpFolders) : helpFolders_(std::move(helpFolders)) {
    initResources();
    if (auto* style = QApplication::style()) {
        plainStyle_ = style->name().toStdString();
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/dezoredu-128.png")));
    views_.add("CVazedazDlg", factory<MainWindowView>());
    views_.add("CTimeFormat", factory<TimeFormatView>());
    views_.add("CSkinOption", factory<SkinOptionView>());
    views_.add("CPictureFilesOption", factory<PictureFilesView>());
    views_.add("CAboutDlg", factory<AboutView>());
    views_.add("CPassedOverDlg", factory<PassedOverView>());
    views_.add("CViewPhoto", factory<EditAlbumView>());
    views_.add("CViewOptions", factory<ViewOptionsView>());
    views_.add("CViewLarge", factory<ViewLargeView>());
    views_.add("CManualTime", factory<ManualTimeView>());
    views_.add("CAdvancedFilter", factory<AdvancedFilterView>());
    views_.add("CProcess", factory<ProcessView>());
    views_.add("CProcessPreview", factory<PreviewView>());
    views_.add("CPotion", factory<ProcessOptionView>());
    views_.add("CDuplicates", factory<DuplicatesView>());
    views_.add("CCameraClocksDlg", factory<CameraClocksView>());
    views_.add("CSameMomentDlg", factory<SameMomentView>());
    views_.add("CSuggestAlbumsDlg", factory<SuggestAlbumsView>());
}

QtHost::~QtHost() {
    delete helpViewer_.data();
    for (auto& [window, entry] : modeless_) {
        if (entry.view) {
            entry.view->detach();
            delete entry.view.data();
        }
    }
}

HelpViewer* QtHost::helpViewer() const {
    return helpViewer_.data();
}

std::vector<std::string> QtHost::shippedHelpFolders() {
    const std::string folder = programFolder();
    return {folder + "/help", folder + "/../share/dezoredu/help"};
}

QWidget* QtHost::dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

Answer QtHost::messageBox(const MessageRequest& request) {
    return MessageBoxDialog::ask(request, dialogParent());
}

std::optional<std::string> QtHost::browseFolder(const std::string& title) {
    const QString folder =
        QFileDialog::getExistingDirectory(dialogParent(), qt(title), qt(lastFolder_), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    lastFolder_ = folder.toStdString();
    return lastFolder_;
}

std::optional<std::string> QtHost::fileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(dialogParent(), qt(request.title), qt(request.initialFolder), qt(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(qt(request.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtHost::openFile(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<std::string> QtHost::saveFile(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

int QtHost::runModal(Window& window) {
    auto view = views_.create(window, dialogParent());
    running_.push_back(view.get());
    // Open help moves up to the new window, whose loop would block it otherwise.
    if (helpViewer_ && helpViewer_->isVisible()) {
        helpViewer_->setOwner(view.get());
    }
    const int result = view->runModal();
    running_.pop_back();
    // Help that this window asked for stays open with the window below it,
    // and goes with the last one.
    if (helpViewer_ && helpViewer_->parentWidget() == view.get()) {
        if (running_.empty()) {
            helpViewer_->hide();
        }
        helpViewer_->setOwner(running_.empty() ? nullptr : running_.back());
    }
    // Modeless windows it opened go with it, before their parent view does.
    closeModelessAbove(running_.size());
    return result;
}

void QtHost::showModeless(Window& window) {
    auto found = modeless_.find(&window);
    if (found != modeless_.end() && found->second.view) {
        WindowView* view = found->second.view;
        view->showModeless();
        view->raise();
        view->activateWindow();
        return;
    }
    // The parent is the running modal window, so the modal loop lets this
    // window take input and the window manager keeps it above its owner.
    auto view = views_.create(window, running_.empty() ? dialogParent() : running_.back());
    WindowView* shown = view.release();
    modeless_[&window] = Modeless{shown, running_.size()};
    shown->showModeless();
}

void QtHost::dropView(WindowView* view) {
    if (!view) {
        return;
    }
    view->detach();
    view->hide();
    view->deleteLater();
}

void QtHost::closeModelessAbove(std::size_t depth) {
    for (auto it = modeless_.begin(); it != modeless_.end();) {
        if (it->second.depth > depth) {
            dropView(it->second.view);
            it = modeless_.erase(it);
        } else {
            ++it;
        }
    }
}

void QtHost::closeModeless(Window& window) {
    auto found = modeless_.find(&window);
    if (found == modeless_.end()) {
        return;
    }
    // The window may close itself from one of its own handlers, so the view
    // goes once that handler has returned.
    WindowView* view = found->second.view;
    modeless_.erase(found);
    dropView(view);
}

void QtHost::pumpMessages() {
    // Long jobs change the texts without asking for a redraw; the window
    // running them shows where they are.
    if (!running_.empty()) {
        running_.back()->draw();
    }
    QCoreApplication::processEvents();
}

void QtHost::openHelp(const std::string& helpFile, int topic) {
    std::optional<HelpLocation> location;
    for (const auto& folder : helpFolders_) {
        location = locateHelp(helpFile, topic, folder);
        if (location) {
            break;
        }
    }
    if (!location) {
        MessageBoxDialog::ask(MessageRequest{"The help file DEZOREDU.HLP could not be found.", "Dezoredu Help",
                                             Icon::Exclamation, Buttons::Ok},
                              dialogParent());
        return;
    }
    // The innermost running modal window owns it, so its loop lets the help take input.
    QWidget* owner = running_.empty() ? nullptr : running_.back();
    if (!helpViewer_) {
        helpViewer_ = new HelpViewer(owner);
    }
    helpViewer_->setOwner(owner);
    helpViewer_->showTopic(location->file, location->anchor);
}

void QtHost::closeHelp() {
    if (helpViewer_) {
        helpViewer_->close();
    }
}

bool QtHost::openWebAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(qt(address)));
}

void QtHost::applySkin(bool enabled) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) {
        return;
    }
    if (!enabled) {
        app->setStyleSheet(QString());
        if (QApplication::style()->name().toStdString() != plainStyle_) {
            QApplication::setStyle(QStyleFactory::create(qt(plainStyle_)));
        }
        return;
    }
    // The sheet is drawn over Fusion, so the program looks the same on every desktop.
    if (QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    QFile sheet(QStringLiteral(":/skin/dezoredu.qss"));
    if (sheet.open(QIODevice::ReadOnly | QIODevice::Text)) {
        app->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    }
}

}  // namespace dz::gui
