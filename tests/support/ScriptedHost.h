#pragma once

#include "platform/Host.h"
#include "platform/Window.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dz::test {

// A host for tests: records every message box and answers from queues.
class ScriptedHost : public Host {
public:
    struct HelpRequest {
        std::string file;
        int topic;
    };

    // Answers for the next message boxes, in order. With the queue empty a
    // message box is answered with its first button (OK or Yes or Abort).
    void answer(Answer a) { answers_.push_back(a); }
    // Results of the next folder browsers, in order; with none queued the
    // browser is cancelled.
    void browseTo(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }
    void openFileAnswer(std::optional<std::string> path) { openFiles_.push_back(std::move(path)); }
    void saveFileAnswer(std::optional<std::string> path) { saveFiles_.push_back(std::move(path)); }
    // A script for the next modal run of a window of class `className`. It
    // runs after the window's onInit, onShown and background work; a window the script leaves open is
    // ended with Cancel. Without a script a modal window ends with Cancel.
    void onModal(const std::string& className, std::function<void(Window&)> script) {
        modalScripts_[className].push_back(std::move(script));
    }
    // Lets the window's background work run to its end, as the event loop
    // would before the user acts; false when it did not end within 30 s.
    static bool finishWork(Window& window);
    // An action to run at the `n`th pump from now (1 = the next pump).
    void atPump(int n, std::function<void()> action);

    Answer messageBox(const MessageRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& title) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    int runModal(Window& window) override;
    void showModeless(Window& window) override;
    void closeModeless(Window& window) override;
    void pumpMessages() override;
    void openHelp(const std::string& helpFile, int topic) override;
    void closeHelp() override { ++helpClosed; }
    bool openWebAddress(const std::string& address) override;
    void applySkin(bool enabled) override { skinApplied.push_back(enabled); }

    // What happened, for assertions.
    std::vector<MessageRequest> messages;
    std::vector<std::string> browserTitles;
    std::vector<std::string> modalRuns;  // class names, in order
    std::vector<std::string> modelessShown;
    std::vector<HelpRequest> helpRequests;
    std::vector<std::string> webAddresses;
    std::vector<bool> skinApplied;
    int pumps = 0;
    int helpClosed = 0;

    // The texts of the recorded message boxes.
    std::vector<std::string> messageTexts() const;

private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> folders_;
    std::deque<std::optional<std::string>> openFiles_;
    std::deque<std::optional<std::string>> saveFiles_;
    std::map<std::string, std::deque<std::function<void(Window&)>>> modalScripts_;
    std::multimap<int, std::function<void()>> pumpActions_;  // keyed by pump number
};

}  // namespace dz::test
