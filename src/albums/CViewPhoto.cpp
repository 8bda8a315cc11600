#include "albums/CViewPhoto.h"

#include "albums/AlbumMembership.h"
#include "albums/CViewOptions.h"
#include "exif/TextFormat.h"

#include <unordered_map>

namespace dz {

namespace {
constexpr int kHelpTopic = 7;
}

CViewPhoto::CViewPhoto(AlbumWorkspace& workspace)
    : Window(workspace.host, "CViewPhoto", "Edit Album", kHelpTopic),
      ws_(workspace),
      film_(workspace, addControl(kTopLine, ControlKind::Static), addControl(kFilm, ControlKind::ListView),
            [this] {
                showStatus();
                showSortLine();
            }) {
    setHelpFile(workspace.helpFile);
    film_.setAfterWork([this] { showSummary(); });
    addControl(kPathGroup, ControlKind::Group, "Original pic's path");
    addControl(kPath, ControlKind::Edit, "Picture not selected");
    addControl(kDirGroup, ControlKind::Group, "Albums directory name");
    addControl(kDirName, ControlKind::Edit);
    addControl(kNameGroup, ControlKind::Group, "Album name");
    addControl(kName, ControlKind::Edit);
    addControl(kCreateSubDir, ControlKind::CheckBox, "Create sub dir based on album name");
    addControl(kKeepName, ControlKind::CheckBox, "Keep original picture name");
    addControl(kSplitByDays, ControlKind::CheckBox, "Split by days");
    addControl(kSortableNames, ControlKind::CheckBox, "Names that sort");
    addControl(kAddGroup, ControlKind::Group, "Add to picture name:");
    addControl(kAddDate, ControlKind::CheckBox, "Date");
    addControl(kAddTime, ControlKind::CheckBox, "Time");
    addControl(kAddCameraModel, ControlKind::CheckBox, "Camera Model");
    addControl(kInfoGroup, ControlKind::Group, "Picture Info");
    addControl(kPictureInfo, ControlKind::ListBox);
    addControl(kSave, ControlKind::Button, "Save Album");
    addControl(kDiscard, ControlKind::Button, "Discard");
    addControl(kFilmGroup, ControlKind::Group, "Virtual Film");
    addControl(kStatus, ControlKind::Static, "Time range selected: None");
    addControl(kSetStart, ControlKind::Button, "Set Start Date");
    addControl(kSize, ControlKind::Static, "Static");
    addControl(kClearStart, ControlKind::Button, "Clear");
    addControl(kStartText, ControlKind::Static, "Not Set");
    addControl(kEndText, ControlKind::Static, "Not Set");
    addControl(kSetEnd, ControlKind::Button, "Set End Date");
    addControl(kClearEnd, ControlKind::Button, "Clear");
    addControl(kSortLine, ControlKind::Static);
    addControl(kTotalSize, ControlKind::Static, "Static");
    addControl(kMenuViewOptions, ControlKind::MenuItem, "View Options");
    // A processed album is only viewed, so its range cannot be typed in either.
    addControl(kMenuManualRange, ControlKind::MenuItem, "Manual time range").enabled = !album() || !album()->isProcessed;
    addControl(kMenuAdvancedFilter, ControlKind::MenuItem, "Advanced Filter Tool");
    addControl(kMenuAbout, ControlKind::MenuItem, "About");
}

Album* CViewPhoto::album() {
    return currentAlbum(ws_.albums, ws_.editing);
}

void CViewPhoto::onInit() {
    ws_.abortRequest = false;
    albumIds_.clear();
    for (const PictureRecord& picture : ws_.reader.catalogue()) {
        albumIds_.emplace_back(picture.block.get(), picture.albumId);
    }
    Album* current = album();
    if (!current) {
        return;
    }
    if (ws_.editing.editingAlbum) {
        control(kSave).enabled = current->isProcessed == 0;
        openedStart_ = current->startTime;
        openedEnd_ = current->endTime;
        control(kStartText).text = current->startKey ? endText(current->startTime) : "Not Set";
        control(kEndText).text = current->endKey ? endText(current->endTime) : "Not Set";
    } else {
        // The range spans the film; the first paint builds it.
        opening_ = true;
        control(kFilm).selection = -1;
        setEnd(true);
        setEnd(false);
        opening_ = false;
        current = album();
    }
    control(kCreateSubDir).checked = current->createSubDir != 0;
    if (current->name.empty()) {
        current->name = formatText("Album %d", current->id);
    }
    control(kName).text = current->name;
    control(kKeepName).checked = current->keepOriginalName != 0;
    control(kAddDate).checked = current->addDate != 0;
    control(kAddTime).checked = current->addTime != 0;
    control(kAddCameraModel).checked = current->addCameraModel != 0;
    control(kSplitByDays).checked = current->splitByDays != 0;
    control(kSortableNames).checked = current->naming == AlbumNaming::Sortable;
    if (!current->dirName.empty()) {
        control(kDirName).text = current->dirName;
    } else if (current != &ws_.albums.front()) {
        const Album& previous = *(current - 1);
        control(kDirName).text = previous.dirName;
        control(kAddDate).checked = previous.addDate != 0;
        control(kAddTime).checked = previous.addTime != 0;
        control(kAddCameraModel).checked = previous.addCameraModel != 0;
    } else {
        current->dirName = "\\";
        control(kDirName).text = current->dirName;
    }
    ws_.editing.inAlbumsCount = 0;
    control(kClearStart).enabled = false;
    control(kClearEnd).enabled = false;
    ws_.abortRequest = false;
    refresh();
}

void CViewPhoto::onShown() {
    {
        const FilmBusy busy(*this);
        if (ws_.editing.editingAlbum && film_.update() == FilmOutcome::Closed) {
            discard();
            return;
        }
        if (ws_.editing.filmSideChanged && ws_.filmBuilt && film_.repolarise() == FilmOutcome::Closed) {
            discard();
            return;
        }
    }
    if (!hasEnded()) {
        buildFilm();
    }
}

void CViewPhoto::onItemsShown(int id) {
    if (id == kFilm) {
        film_.showItems(control(kFilm).firstShown, control(kFilm).lastShown);
    }
}

bool CViewPhoto::onIdle() {
    if (hasEnded()) {
        return false;
    }
    const FilmWork work = film_.work();
    if (work == FilmWork::Closed) {
        discard();
        return false;
    }
    return work == FilmWork::Working;
}

void CViewPhoto::buildFilm() {
    // Asked for while the film is being made (the loops pump messages): it
    // is made again once the running build is over, never inside it.
    if (filmBusy_) {
        rebuildPending_ = true;
        return;
    }
    const FilmBusy busy(*this);
    control(kSave).enabled = false;
    FilmOutcome outcome = film_.build();
    while (outcome == FilmOutcome::Done && rebuildPending_ && !hasEnded()) {
        rebuildPending_ = false;
        outcome = film_.build();
    }
    rebuildPending_ = false;
    if (outcome == FilmOutcome::Closed) {
        discard();
        return;
    }
    if (outcome == FilmOutcome::Stopped || hasEnded()) {
        return;
    }
    const Album* current = album();
    control(kSave).enabled = !current || current->isProcessed == 0;
    showSummary();
    refresh();
}

void CViewPhoto::discard() {
    if (ws_.editing.editingAlbum) {
        if (Album* current = album()) {
            current->setStart(openedStart_);
            current->setEnd(openedEnd_);
        }
    }
    // By block, not by a walk of the snapshot for each picture: an archive has 100,000.
    std::unordered_map<const PictureBlock*, std::int32_t> ids(albumIds_.begin(), albumIds_.end());
    for (PictureRecord& picture : ws_.reader.catalogue()) {
        if (const auto found = ids.find(picture.block.get()); found != ids.end()) {
            picture.albumId = found->second;
        }
    }
    ws_.abortRequest = true;
    film_.stopWork();
    if (largeOpen_) {
        large_->onCommand(CViewLarge::kClose);
    }
    closeAdvancedFilter(false);
    endDialog(kResultDiscard);
}

void CViewPhoto::pictureError(const std::string& path) {
    host().messageBox(pictureErrorText(path), kPictureErrorCaption, Icon::Error);
    discard();
}

void CViewPhoto::onCommand(int id) {
    // While the film is being made only Discard is taken; the other commands
    // would change the album or the film under the running loop.
    if (filmBusy_ && id != kDiscard) {
        return;
    }
    switch (id) {
    case kSave:
        save();
        return;
    case kDiscard:
        discard();
        return;
    case kSetStart:
    case kSetEnd:
        setEnd(id == kSetStart);
        return;
    case kClearStart:
    case kClearEnd:
        clearEnd(id == kClearStart);
        return;
    case kCreateSubDir:
    case kKeepName:
    case kSplitByDays:
    case kSortableNames:
        boxChanged(id);
        return;
    case kMenuViewOptions:
        openViewOptions();
        return;
    case kMenuManualRange:
        openManualRange();
        return;
    case kMenuAdvancedFilter:
        openAdvancedFilter();
        return;
    case kMenuAbout:
        if (ws_.showAbout) {
            ws_.showAbout();
        }
        return;
    default:
        return;
    }
}

void CViewPhoto::openViewOptions() {
    CViewOptions options(host(), ws_.view);
    options.setHelpFile(helpFile());
    if (host().runModal(options) == kResultOk && options.changed()) {
        buildFilm();
    }
    showStatus();
    refresh();
}

}  // namespace dz
