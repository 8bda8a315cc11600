#include "ScriptedHost.h"

#include <chrono>
#include <thread>

namespace dz::test {

namespace {

Answer firstButton(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    case Buttons::YesNoCancel:
    case Buttons::YesNo:
        return Answer::Yes;
    case Buttons::RetryCancel:
        return Answer::Retry;
    }
    return Answer::Ok;
}

template <typename T>
std::optional<std::string> takeFront(std::deque<T>& queue) {
    if (queue.empty()) {
        return std::nullopt;
    }
    auto value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

void ScriptedHost::atPump(int n, std::function<void()> action) {
    pumpActions_.emplace(pumps + n, std::move(action));
}

Answer ScriptedHost::messageBox(const MessageRequest& request) {
    messages.push_back(request);
    if (answers_.empty()) {
        return firstButton(request.buttons);
    }
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<std::string> ScriptedHost::browseFolder(const std::string& title) {
    browserTitles.push_back(title);
    return takeFront(folders_);
}

std::optional<std::string> ScriptedHost::openFile(const FileDialogRequest&) {
    return takeFront(openFiles_);
}

std::optional<std::string> ScriptedHost::saveFile(const FileDialogRequest&) {
    return takeFront(saveFiles_);
}

bool ScriptedHost::finishWork(Window& window) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!window.hasEnded() && window.onIdle()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

int ScriptedHost::runModal(Window& window) {
    modalRuns.push_back(window.className());
    window.restart();
    window.onInit();
    if (!window.hasEnded()) {
        window.onShown();
    }
    finishWork(window);
    auto& scripts = modalScripts_[window.className()];
    if (!scripts.empty() && !window.hasEnded()) {
        auto script = std::move(scripts.front());
        scripts.pop_front();
        script(window);
    }
    if (!window.hasEnded()) {
        window.endDialog(kResultCancel);
    }
    return window.result();
}

void ScriptedHost::showModeless(Window& window) {
    modelessShown.push_back(window.className());
    window.onInit();
    window.onShown();
}

void ScriptedHost::closeModeless(Window&) {}

void ScriptedHost::pumpMessages() {
    ++pumps;
    auto range = pumpActions_.equal_range(pumps);
    std::vector<std::function<void()>> due;
    for (auto it = range.first; it != range.second; ++it) {
        due.push_back(std::move(it->second));
    }
    pumpActions_.erase(range.first, range.second);
    for (auto& action : due) {
        action();
    }
}

void ScriptedHost::openHelp(const std::string& helpFile, int topic) {
    helpRequests.push_back({helpFile, topic});
}

bool ScriptedHost::openWebAddress(const std::string& address) {
    webAddresses.push_back(address);
    return true;
}

std::vector<std::string> ScriptedHost::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) {
        texts.push_back(m.text);
    }
    return texts;
}

}  // namespace dz::test
