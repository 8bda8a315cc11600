#include "albums/CViewPhoto.h"

namespace dz {

namespace {
constexpr const char* kNotSet = "Not Set";
}

void CViewPhoto::save() {
    Album* current = album();
    if (!current) {
        return;
    }
    if (control(kName).text.empty()) {
        if (host().messageBox("Pictures base name not set. Use default name?", "Picture Name", Icon::Question,
                              Buttons::YesNo) != Answer::Yes) {
            return;
        }
    } else {
        const auto counting = static_cast<int>(ws_.editing.film.size()) - ws_.editing.outsideCount;
        const bool noStart = control(kStartText).text == kNotSet;
        const bool noEnd = control(kEndText).text == kNotSet;
        const char* refusal = counting == 0      ? "Album empty. Album will not be saved. Select 'Discard' to exit"
                              : noStart && noEnd ? "Start or end date not set. Album will not be saved. Select 'Discard' to exit"
                              : noStart          ? "Start date not set. Album will not be saved. Select 'Discard' to exit"
                              : noEnd            ? "End date not set. Album will not be saved. Select 'Discard' to exit"
                                                 : nullptr;
        if (refusal) {
            host().messageBox(refusal, "Dezoredu", Icon::Exclamation);
            return;
        }
    }
    current->addDate = control(kAddDate).checked ? 1 : 0;
    current->addTime = control(kAddTime).checked ? 1 : 0;
    current->addCameraModel = control(kAddCameraModel).checked ? 1 : 0;
    current->dirName = control(kDirName).text;
    current->name = control(kName).text;
    current->keepOriginalName = control(kKeepName).checked ? 1 : 0;
    if (largeOpen_) {
        large_->onCommand(CViewLarge::kClose);
    }
    closeAdvancedFilter(true);
    endDialog(kResultSave);
}

void CViewPhoto::boxChanged(int id) {
    Album* current = album();
    if (!current) {
        return;
    }
    const bool createSubDir = control(kCreateSubDir).checked;
    const bool keepName = control(kKeepName).checked;
    if (id == kCreateSubDir) {
        current->createSubDir = createSubDir ? 1 : 0;
        if (createSubDir) {
            control(kName).enabled = true;
        } else if (keepName) {
            control(kName).enabled = false;
        }
    } else if (id == kKeepName) {
        if (keepName && !createSubDir) {
            control(kName).enabled = false;
        }
    } else if (id == kSplitByDays) {
        current->splitByDays = control(kSplitByDays).checked ? 1 : 0;
    } else if (id == kSortableNames) {
        current->naming = control(kSortableNames).checked ? AlbumNaming::Sortable : AlbumNaming::FilmPosition;
    }
    refresh();
}

void CViewPhoto::onTextChanged(int id) {
    if (id == kName) {
        control(kCreateSubDir).enabled = !control(kName).text.empty();
        refresh();
    }
}

}  // namespace dz
