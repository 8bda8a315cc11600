#include "gui/ViewRegistry.h"

#include "gui/GenericView.h"
#include "platform/Window.h"

namespace dz::gui {

void ViewRegistry::add(const std::string& className, Factory factory) {
    factories_[className] = std::move(factory);
}

std::unique_ptr<WindowView> ViewRegistry::create(Window& window, QWidget* parent) const {
    auto found = factories_.find(window.className());
    if (found == factories_.end()) {
        return std::make_unique<GenericView>(window, parent);
    }
    return found->second(window, parent);
}

}  // namespace dz::gui
