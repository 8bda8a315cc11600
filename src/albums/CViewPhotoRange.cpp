#include "albums/CViewPhoto.h"

#include "albums/AlbumMembership.h"
#include "albums/AlbumTotals.h"
#include "albums/DateTimeText.h"
#include "exif/TextFormat.h"

namespace dz {

namespace {

constexpr const char* kNotSet = "Not Set";

std::string countText(int count, bool withStop) {
    if (count == 0) {
        return withStop ? "None." : "None";
    }
    if (count == 1) {
        return withStop ? "1 picture." : "1 picture";
    }
    return formatText(withStop ? "%d pictures." : "%d pictures", count);
}

}  // namespace

std::string CViewPhoto::endText(std::uint64_t value) const {
    const std::int64_t v = shownTimeAtKey(ws_.reader.catalogue(), value, ws_.biasMinutes);
    return dateText(v, ws_.dateFormatIndex) + " " + timeText(v, ws_.timeFormatIndex);
}

void CViewPhoto::setEnd(bool start) {
    const int item = control(kFilm).selection;
    auto& film = film_.pass();
    Album* current = album();
    // An empty film has no picture to take an end from; the album stays as it is.
    if (!current || film.empty()) {
        refresh();
        return;
    }
    const bool selected = item >= 0 && item < static_cast<int>(film.size());
    const PictureRecord& picked = selected ? film[item] : (start ? film.front() : film.back());
    const std::uint64_t key = pictureShotKey(picked, ws_.biasMinutes);
    const bool otherSet = start ? current->endKey != 0 : current->startKey != 0;
    if (selected && otherSet) {
        if (start && key > current->endKey) {
            host().messageBox("Start Date could not be later than end date.", "Dezoredu", Icon::Exclamation);
            return;
        }
        if (!start && key < current->startKey) {
            host().messageBox("End Date could not be earlier than start date.", "Dezoredu", Icon::Exclamation);
            return;
        }
    }
    if (start) {
        current->setStart(key);
    } else {
        current->setEnd(key);
    }
    control(start ? kStartText : kEndText).text = endText(key);
    control(start ? kClearStart : kClearEnd).enabled = true;
    if (otherSet && !opening_) {
        buildFilm();
    }
    showStatus();
    refresh();
}

void CViewPhoto::clearEnd(bool start) {
    Album* current = album();
    if (!current) {
        return;
    }
    if (start) {
        current->setStart(0);
    } else {
        current->setEnd(0);
    }
    control(start ? kStartText : kEndText).text = kNotSet;
    refresh();
    buildFilm();
    control(start ? kClearStart : kClearEnd).enabled = false;
    refresh();
}

void CViewPhoto::showStatus() {
    const Album* current = album();
    if (!current) {
        return;
    }
    std::string status = ws_.editing.editingAlbum ? formatText("Album %s:", current->name.c_str()) : "New Album:";
    const int filmSize = static_cast<int>(ws_.editing.film.size());
    if (current->hasBothKeys()) {
        const int n = filmSize - ws_.editing.outsideCount;
        status += n == 1 ? formatText(" %d picture in album.", n)
                  : n == 0 ? std::string("Pictures in album: None.")
                           : formatText(" %d pictures in album.", n);
    } else if (!current->startKey && !current->endKey) {
        status += "Start and end date not set";
    } else {
        status += current->startKey ? "End date not set" : "Start date not set";
    }
    control(kStatus).text = status;
    control(kSize).text = formatText("%4.2fMB", static_cast<double>(current->sizeMB));
}

void CViewPhoto::showSortLine() {
    // Right after a pass the view settings are the order the film is in;
    // View Options changes them at once, even when the film is not rebuilt.
    control(kSortLine).text = formatText("Sorted %s by %s. Show %d pic.",
                                         ws_.view.sortAscending ? "ascendent" : "descendent",
                                         ws_.view.sortByDate ? "date" : "name",
                                         static_cast<int>(ws_.editing.film.size()));
}

void CViewPhoto::showSummary() {
    const int total = static_cast<int>(ws_.reader.catalogue().size());
    const AlbumTotals totals = albumTotals(ws_.albums);
    const double totalMB = totals.sizeMB;
    const int counted = totals.pictures;
    if (ws_.editing.editingAlbum) {
        ws_.editing.inAlbumsCount = counted;
    }
    const int inAlbums = ws_.editing.inAlbumsCount;
    const int albumCount = static_cast<int>(ws_.albums.size());
    const std::string albumsText = albumCount == 0   ? std::string("Albums: none")
                                   : albumCount == 1 ? formatText("%d Album containing:", albumCount)
                                                     : formatText("Total of %d Albums containing:", albumCount);
    control(kTopLine).text = formatText("%s %s. Remaining to add: %s from a total of %s", albumsText.c_str(),
                                        countText(inAlbums, false).c_str(),
                                        countText(total - inAlbums, false).c_str(), countText(total, true).c_str());
    control(kTotalSize).text = formatText("Total albums size: %4.2fMB", totalMB);
}

}  // namespace dz
