#pragma once

#include "platform/Host.h"

namespace dz::bench {

// A host that answers every question with its first button and does nothing else.
class QuietHost final : public Host {
public:
    Answer messageBox(const MessageRequest&) override { return Answer::Ok; }
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
};

}  // namespace dz::bench
