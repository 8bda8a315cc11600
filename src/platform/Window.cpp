#include "platform/Window.h"

namespace dz {

Window::Window(Host& host, std::string className, std::string title, int helpTopic)
    : host_(host), className_(std::move(className)), title_(std::move(title)), helpTopic_(helpTopic) {}

int Control::itemCount() const {
    return itemTexts ? itemTexts->itemCount() : static_cast<int>(items.size());
}

std::string Control::itemLabel(int item) const {
    if (item < 0 || item >= itemCount()) {
        return {};
    }
    return itemTexts ? itemTexts->itemLabel(item) : items[static_cast<std::size_t>(item)];
}

std::string Control::itemCaption(int item) const {
    if (item < 0 || item >= itemCount()) {
        return {};
    }
    if (itemTexts) {
        return itemTexts->itemCaption(item);
    }
    const auto at = static_cast<std::size_t>(item);
    return at < itemCaptions.size() ? itemCaptions[at] : items[at];
}

std::string Control::itemToolTip(int item) const {
    return itemTexts && item >= 0 && item < itemCount() ? itemTexts->itemToolTip(item) : std::string();
}

std::vector<std::string> Control::itemLabels() const {
    std::vector<std::string> labels;
    labels.reserve(static_cast<std::size_t>(itemCount()));
    for (int item = 0; item < itemCount(); ++item) {
        labels.push_back(itemLabel(item));
    }
    return labels;
}

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
