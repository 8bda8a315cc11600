#include "albums/CViewPhoto.h"

#include "albums/AlbumMembership.h"
#include "albums/CManualTime.h"

#include <optional>

namespace dz {

void CViewPhoto::openManualRange() {
    Album* current = album();
    // A processed album is final; its menu item is off as its Save is.
    if (!current || current->isProcessed != 0) {
        return;
    }
    // The film as it is shown: its ends are where an open range starts.
    const auto& film = ws_.editing.film;
    std::optional<std::uint64_t> first;
    std::optional<std::uint64_t> last;
    if (!film.empty()) {
        first = pictureShotKey(film.front(), ws_.biasMinutes);
        last = pictureShotKey(film.back(), ws_.biasMinutes);
    }
    CManualTime manual(host(), *current, first, last, ws_.biasMinutes);
    manual.setHelpFile(helpFile());
    if (host().runModal(manual) != kResultOk) {
        return;
    }
    // As after Set Start Date and Set End Date with the other end set.
    control(kStartText).text = endText(current->startTime);
    control(kEndText).text = endText(current->endTime);
    control(kClearStart).enabled = true;
    control(kClearEnd).enabled = true;
    buildFilm();
    showStatus();
    refresh();
}

}  // namespace dz
