#pragma once

#include "platform/Host.h"

#include <ostream>

namespace dz {

// A host for scripts: never waits for input. Every message box is written to
// the error stream as "caption: text" with the answer taken for it; there are
// no windows, and pumping has nothing to do.
class CliHost final : public Host {
public:
    explicit CliHost(std::ostream& err) : err_(err) {}

    Answer messageBox(const MessageRequest& request) override;
    std::optional<std::string> browseFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    int runModal(Window&) override { return kResultCancel; }
    void showModeless(Window&) override {}
    void closeModeless(Window&) override {}
    void pumpMessages() override {}
    void openHelp(const std::string&, int) override {}
    void closeHelp() override {}
    bool openWebAddress(const std::string&) override { return false; }
    void applySkin(bool) override {}

    // Message boxes shown so far.
    int messageCount() const { return messageCount_; }

private:
    std::ostream& err_;
    int messageCount_ = 0;
};

}  // namespace dz
