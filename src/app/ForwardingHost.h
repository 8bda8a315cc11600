#pragma once

#include "platform/Host.h"

#include <functional>

namespace dz {

// Passes everything to another host and calls `beforePump` before each pump,
// so that a long loop that knows only a host can still show its progress.
class ForwardingHost final : public Host {
public:
    ForwardingHost(Host& inner, std::function<void()> beforePump)
        : inner_(inner), beforePump_(std::move(beforePump)) {}

    Answer messageBox(const MessageRequest& request) override { return inner_.messageBox(request); }
    std::optional<std::string> browseFolder(const std::string& title) override { return inner_.browseFolder(title); }
    std::optional<std::string> openFile(const FileDialogRequest& r) override { return inner_.openFile(r); }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override { return inner_.saveFile(r); }
    int runModal(Window& window) override { return inner_.runModal(window); }
    void showModeless(Window& window) override { inner_.showModeless(window); }
    void closeModeless(Window& window) override { inner_.closeModeless(window); }
    void pumpMessages() override {
        if (beforePump_) {
            beforePump_();
        }
        inner_.pumpMessages();
    }
    void openHelp(const std::string& file, int topic) override { inner_.openHelp(file, topic); }
    void closeHelp() override { inner_.closeHelp(); }
    bool openWebAddress(const std::string& address) override { return inner_.openWebAddress(address); }
    void applySkin(bool enabled) override { inner_.applySkin(enabled); }

private:
    Host& inner_;
    std::function<void()> beforePump_;
};

}  // namespace dz
