#include "albums/CViewPhoto.h"

namespace dz {

void CViewPhoto::openAdvancedFilter() {
    if (filterOpen_) {
        host().showModeless(*filter_);
        return;
    }
    // A closed window is gone for good; the next one starts afresh from the album.
    filter_ = std::make_unique<CAdvancedFilter>(
        ws_, FilterWindowLinks{[this] { buildFilm(); },
                               [this] {
                                   showStatus();
                                   refresh();
                               },
                               [this] {
                                   // The criteria apply only while the window is open:
                                   // the album takes its whole range back at once,
                                   // not at some later build.
                                   filterOpen_ = false;
                                   buildFilm();
                               }});
    filter_->setHelpFile(helpFile());
    filterOpen_ = true;
    film_.setFilterWindow([this]() -> std::optional<OpenFilterWindow> {
        if (!filterOpen_) {
            return std::nullopt;
        }
        return filter_->openWindow();
    });
    host().showModeless(*filter_);
}

void CViewPhoto::closeAdvancedFilter(bool saved) {
    if (!filterOpen_) {
        return;
    }
    filterOpen_ = false;
    filter_->closeWithOwner(saved);
}

}  // namespace dz
