#include "platform/Window.h"

namespace dz {

Window::Window(Host& host, std::string className, std::string title, int helpTopic)
    : host_(host), className_(std::move(className)), title_(std::move(title)), helpTopic_(helpTopic) {}

const Control& Window::control(int id) const {
    static const Control kAbsent{};
    auto found = controls_.find(id);
    return found == controls_.end() ? kAbsent : found->second;
}

void Window::onHelp() {
    host_.openHelp(helpFile_, helpTopic_);
}

void Window::endDialog(int result) {
    ended_ = true;
    result_ = result;
}

void Window::refresh() {
    if (refreshListener_) {
        refreshListener_();
    }
}

Control& Window::addControl(int id, ControlKind kind, std::string text) {
    Control& c = controls_[id];
    c.kind = kind;
    c.text = std::move(text);
    return c;
}

}  // namespace dz
