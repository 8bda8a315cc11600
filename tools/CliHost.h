#pragma once

#include "PromptPolicy.h"

#include "platform/Host.h"

#include <ostream>

namespace dz {

// A host for scripts: never waits for input. Every message box is written to
// the error stream as "caption: text [answer]", answered by the policy; there
// are no windows, and pumping has nothing to do.
class CliHost final : public Host {
public:
    explicit CliHost(std::ostream& err, PromptPolicy policy = {}) : err_(err), policy_(policy) {}

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
    PromptPolicy policy_;
    int messageCount_ = 0;
};

}  // namespace dz
