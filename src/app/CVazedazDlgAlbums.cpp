#include "app/CVazedazDlg.h"

#include "albums/AlbumDetails.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"

#include <cstdint>

namespace dz {

using namespace mainwin;

void CVazedazDlg::refreshAlbumList() {
    Control& list = control(kAlbumsList);
    const int remembered = list.selection;
    list.items.clear();
    list.selection = -1;
    control(kAlbumDetails).items.clear();
    int position = 1;
    for (const Album& album : state_.albums) {
        list.items.push_back(albumListEntry(position++, album));
    }
    state_.texts.albumSummary = albumSummaryText(state_.albums, catalogueSize());
    control(kMenuSaveSession).enabled = !state_.albums.empty();
    showTexts();
    if (remembered >= 0 && !list.items.empty()) {
        // A position past the end (the last album went) selects nothing.
        if (remembered < static_cast<int>(list.items.size())) {
            list.selection = remembered;
            showAlbumDetails();
        }
    }
}

Album* CVazedazDlg::selectedAlbum() {
    const int selection = control(kAlbumsList).selection;
    if (selection < 0 || selection >= static_cast<int>(state_.albums.size())) {
        return nullptr;
    }
    return &state_.albums[static_cast<std::size_t>(selection)];
}

void CVazedazDlg::showAlbumDetails() {
    Control& details = control(kAlbumDetails);
    details.items.clear();
    if (state_.albums.empty()) {
        showTexts();
        return;
    }
    const Album* album = selectedAlbum();
    if (album == nullptr) {
        album = &state_.albums.front();
    }
    if (state_.dirReader) {
        details.items = albumDetailsLines(*album, state_.texts.targetFolder, state_.settings.dateFormatIndex,
                                          state_.settings.timeFormatIndex, state_.dirReader->catalogue(),
                                          state_.dirReader->biasMinutes());
    } else {
        details.items = albumDetailsLines(*album, state_.texts.targetFolder, state_.settings.dateFormatIndex,
                                          state_.settings.timeFormatIndex);
    }
    control(kDeleteAlbum).enabled = true;
    showTexts();
}

std::size_t CVazedazDlg::catalogueSize() const {
    return state_.dirReader ? state_.dirReader->catalogue().size() : 0;
}

void CVazedazDlg::deleteAllAlbums() {
    state_.albums.clear();
    releaseFilmImages();
    refreshAlbumList();
    control(kDeleteAlbum).enabled = false;
    control(kAlbumDetails).items.clear();
    showTexts();
}

void CVazedazDlg::recountAlbums() {
    for (Album& album : state_.albums) {
        album.pictureCount = 0;
        album.sizeMB = 0;
    }
    if (state_.dirReader) {
        for (const PictureRecord& picture : state_.dirReader->catalogue()) {
            for (Album& album : state_.albums) {
                if (picture.albumId == album.id) {
                    ++album.pictureCount;
                    // The low 32 bits read as a signed number, as the counts always were.
                    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(shotSize(picture)));
                    album.sizeMB += static_cast<float>(low) / 1048576.0f;
                }
            }
        }
    }
    refreshAlbumList();
}

void CVazedazDlg::albumPictureClicked() {
    if (state_.texts.sourceFolder == kNotSelected) {
        host().messageBox("Please select a source folder first.", kCaption, Icon::Exclamation);
        return;
    }
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    startNewAlbum(false);
}

void CVazedazDlg::startNewAlbum(bool negative) {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    const std::int32_t mode = negative ? 1 : 0;
    if (mode != state_.editing.newAlbumStartsNegative) {
        state_.editing.filmSideChanged = true;
    }
    state_.editing.newAlbumStartsNegative = mode;
    runAlbumWindow();
}

void CVazedazDlg::editSelected() {
    const Album* album = selectedAlbum();
    if (album == nullptr) {
        host().messageBox("Please select an album from Albums List first.", kCaption, Icon::Exclamation);
        return;
    }
    state_.editing.editingAlbum = 1;
    state_.editing.editedAlbumId = album->id;
    state_.editing.savedStartsNegative = state_.editing.newAlbumStartsNegative;
    if (album->isProcessed != 0) {
        host().messageBox("Album is already processed and cannot be modified!", kCaption, Icon::Information);
    }
    state_.editing.newAlbumStartsNegative = 0;
    runAlbumWindow();
}

void CVazedazDlg::deleteAlbum() {
    const Album* album = selectedAlbum();
    if (album == nullptr) {
        control(kDeleteAlbum).enabled = false;
        refresh();
        return;
    }
    if (host().messageBox("Delete selected album?", "Delete Album", Icon::Question, Buttons::OkCancel) !=
        Answer::Ok) {
        return;
    }
    const std::int32_t id = album->id;
    for (PictureRecord& picture : state_.dirReader->catalogue()) {
        if (picture.albumId != id) {
            continue;
        }
        picture.albumId = 0;
        if (state_.editing.newAlbumStartsNegative == 1) {
            picture.isNegative = 1;
            redrawThumbnail(picture, true);
        }
    }
    state_.albums.erase(state_.albums.begin() + control(kAlbumsList).selection);
    refreshAlbumList();
    control(kDeleteAlbum).enabled = false;
    control(kAlbumDetails).items.clear();
    showTexts();
}

void CVazedazDlg::process() {
    for (;;) {
        if (state_.albums.empty()) {
            host().messageBox("There is no albums defined! Please create at least one album.", kCaption,
                              Icon::Exclamation);
            return;
        }
        if (state_.texts.targetFolder != kNotSelected) {
            state_.processTargetPath = state_.texts.targetFolder;
            offerToFinishRun(state_.processTargetPath);
            runProcessWindow();
            refreshAlbumList();
            return;
        }
        if (host().messageBox("Target directory not selected. Do you want to select it now?",
                              "Select target directory", Icon::Question, Buttons::YesNo) != Answer::Yes) {
            return;
        }
        if (state_.texts.sourceFolder == kNotSelected) {
            host().messageBox("Please select source directory first!", "Select target directory", Icon::Error);
            return;
        }
        if (!browseForTarget()) {
            return;
        }
    }
}

}  // namespace dz
