#pragma once

#include "gui/ViewRegistry.h"
#include "platform/Host.h"

#include <QPointer>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace dz::gui {

class HelpViewer;
class WindowView;

// The host of the desktop program: message boxes, file dialogs, modal and
// modeless windows shown by their views, help and the look of the program.
class QtHost final : public Host {
public:
    // `helpFolders`: where the shipped help file is looked for, in order.
    explicit QtHost(std::vector<std::string> helpFolders = shippedHelpFolders());
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    // Beside the program in the build tree, and where it is installed.
    static std::vector<std::string> shippedHelpFolders();

    ViewRegistry& views() { return views_; }
    // The help window, once help was asked for.
    HelpViewer* helpViewer() const;

    Answer messageBox(const MessageRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& title) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    int runModal(Window& window) override;
    void showModeless(Window& window) override;
    void closeModeless(Window& window) override;
    void pumpMessages() override;
    void openHelp(const std::string& helpFile, int topic) override;
    void closeHelp() override;
    bool openWebAddress(const std::string& address) override;
    void applySkin(bool enabled) override;

private:
    // The window the next dialog belongs to.
    static QWidget* dialogParent();
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);

    std::vector<std::string> helpFolders_;
    ViewRegistry views_;
    // Owned by the modal window that asked last, handed down as they end.
    QPointer<HelpViewer> helpViewer_;
    struct Modeless {
        // Owned; a Qt parent that goes first takes it along.
        QPointer<WindowView> view;
        // How many modal windows were running when it opened: it belongs to
        // the innermost one and closes with it.
        std::size_t depth;
    };
    static void dropView(WindowView* view);
    void closeModelessAbove(std::size_t depth);

    std::map<Window*, Modeless> modeless_;
    // The views of the modal windows now running, innermost last.
    std::vector<WindowView*> running_;
    std::string lastFolder_;
    std::string plainStyle_;
};

}  // namespace dz::gui
