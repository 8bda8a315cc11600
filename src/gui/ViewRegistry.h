#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

class QWidget;

namespace dz {
class Window;
}

namespace dz::gui {

class WindowView;

// Which view shows a window, by the window's class name.
class ViewRegistry {
public:
    using Factory = std::function<std::unique_ptr<WindowView>(Window&, QWidget* parent)>;

    void add(const std::string& className, Factory factory);
    // The registered view, or the generic view that lays out every control
    // when no view of its own is registered for the class.
    std::unique_ptr<WindowView> create(Window& window, QWidget* parent) const;
    bool has(const std::string& className) const { return factories_.count(className) != 0; }

private:
    std::map<std::string, Factory> factories_;
};

}  // namespace dz::gui
