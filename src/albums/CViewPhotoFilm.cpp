#include "albums/CViewPhoto.h"

#include "albums/AlbumMembership.h"
#include "albums/DateTimeText.h"
#include "albums/FilmLabel.h"
#include "exif/PictureInformation.h"

#include <algorithm>

namespace dz {

void CViewPhoto::showPicture(int item) {
    const auto& film = ws_.editing.film;
    if (item < 0 || item >= static_cast<int>(film.size())) {
        control(kPath).text = "Picture not selected";
        refresh();
        return;
    }
    const PictureRecord& picture = film[item];
    const std::int64_t shot = pictureShownTime(picture, ws_.biasMinutes);
    control(kPath).text = picture.path;
    std::vector<std::string> lines =
        pictureInformationLines(picture.exif(), dateText(shot, ws_.dateFormatIndex),
                                timeText(shot, ws_.timeFormatIndex) + placeOffsetMark(*picture.block));
    const std::string& place = picture.block->spot.place;
    if (!place.empty()) {
        const auto time = std::find_if(lines.begin(), lines.end(),
                                       [](const std::string& line) { return line.rfind("Time: ", 0) == 0; });
        lines.insert(time == lines.end() ? lines.end() : time + 1, "Place: " + place);
    }
    control(kPictureInfo).items = std::move(lines);
    refresh();
}

void CViewPhoto::onClick(int id) {
    if (id == kFilm) {
        showPicture(control(kFilm).selection);
    }
}

void CViewPhoto::onSelectionChanged(int id) {
    if (id != kFilm) {
        return;
    }
    const int item = control(kFilm).selection;
    if (item < 0) {
        showPicture(item);
        return;
    }
    if (largeOpen_ && item == large_->shownIndex()) {
        return;
    }
    showPicture(item);
    if (largeOpen_ && !large_->show(ws_.editing.film, item)) {
        pictureError(ws_.editing.film[item].path);
    }
}

void CViewPhoto::openLarge(int item) {
    if (!large_) {
        large_ = std::make_unique<CViewLarge>(host(), [this] { largeOpen_ = false; });
        large_->setHelpFile(helpFile());
    }
    host().showModeless(*large_);
    largeOpen_ = true;
    large_->freePictures();
    if (!large_->show(ws_.editing.film, item)) {
        pictureError(ws_.editing.film[item].path);
    }
}

void CViewPhoto::onRightClick(int id) {
    const int item = control(kFilm).selection;
    if (id == kFilm && item >= 0 && item < static_cast<int>(ws_.editing.film.size())) {
        openLarge(item);
    }
}

void CViewPhoto::onDoubleClick(int id) {
    if (id != kFilm) {
        return;
    }
    if (film_.flip(control(kFilm).selection) == FilmOutcome::Closed) {
        discard();
        return;
    }
    showSummary();
    refresh();
}

bool CViewPhoto::onLabelEditBegin(int id) {
    if (id != kFilm) {
        return false;
    }
    film_.beginLabelEdit(control(kFilm).selection);
    return true;
}

void CViewPhoto::onLabelEditEnd(int id, const std::string& text) {
    if (id != kFilm) {
        return;
    }
    film_.endLabelEdit(control(kFilm).selection, text);
    refresh();
}

}  // namespace dz
