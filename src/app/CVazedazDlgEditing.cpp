#include "app/CVazedazDlg.h"

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/CViewPhoto.h"
#include "albums/ThumbnailMaker.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"

#include <algorithm>
#include <unordered_map>

namespace dz {

using namespace mainwin;

void CVazedazDlg::releaseFilmImages() {
    state_.filmImages.release();
    state_.filmBuilt = false;
}

// Made again by the next film that shows it, not here: a whole album may change side at once.
void CVazedazDlg::redrawThumbnail(const PictureRecord& picture, bool negative) {
    state_.filmImages.remake(picture.block->imageListIndex, negative, ThumbnailShape::Stretch);
}

int CVazedazDlg::runEditAlbumWindow() {
    AlbumWorkspace workspace{host(),
                             *state_.dirReader,
                             state_.albums,
                             state_.editing,
                             state_.viewSettings,
                             state_.filmImages,
                             state_.filmBuilt,
                             state_.abortRequest,
                             state_.settings.dateFormatIndex,
                             state_.settings.timeFormatIndex,
                             state_.settings.excludeDuplicates,
                             state_.dirReader->biasMinutes(),
                             helpFile(),
                             [this] { about(); },
                             state_.thumbnailCacheFolder};
    CViewPhoto window(workspace);
    return host().runModal(window);
}

void CVazedazDlg::runAlbumWindow() {
    auto& catalogue = state_.dirReader->catalogue();
    if (catalogue.empty()) {
        host().messageBox("Source folder does not contain any pictures supported by Dezoredu", kCaption,
                          Icon::Exclamation);
        return;
    }
    AlbumEditing& editing = state_.editing;
    state_.dirReader->sortCatalogue(2, false);
    for (auto& picture : catalogue) {
        picture.isNegative = editing.newAlbumStartsNegative;
    }

    if (editing.editingAlbum != 0) {
        const int result = runEditAlbumWindow();
        editing.newAlbumStartsNegative = editing.savedStartsNegative;
        if (result == CViewPhoto::kResultSave) {
            commitAlbumEdit(true);
            refreshAlbumList();
            selectAlbumById(editing.editedAlbumId);
        } else {
            commitAlbumEdit(false);
            editing.film.clear();
        }
        editing.editingAlbum = 0;
        editing.editedAlbumId = 0;
        showTexts();
        return;
    }

    if (!createAlbum(state_.albums, editing, *state_.dirReader, host())) {
        return;
    }
    const int result = runEditAlbumWindow();
    if (result == CViewPhoto::kResultSave) {
        if (state_.albums.back().hasBothKeys()) {
            commitAlbumEdit(true);
            refreshAlbumList();
            state_.albums.back().isNew = 0;
            selectAlbumById(state_.albums.back().id);
        } else {
            state_.albums.pop_back();
            host().messageBox("Start or end date not set.Album not saved.", kCaption, Icon::Exclamation);
            control(kAlbumDetails).items.clear();
        }
    } else {
        commitAlbumEdit(false);
        state_.albums.pop_back();
    }
    showTexts();
}

void CVazedazDlg::selectAlbumById(std::int32_t id) {
    for (std::size_t i = 0; i < state_.albums.size(); ++i) {
        if (state_.albums[i].id == id) {
            // Its details show the range it kept: a typed end past the last
            // picture is the last picture's time by now.
            control(kAlbumsList).selection = static_cast<int>(i);
            showAlbumDetails();
            return;
        }
    }
}

void CVazedazDlg::commitAlbumEdit(bool keep) {
    AlbumEditing& editing = state_.editing;
    Album* album = currentAlbum(state_.albums, editing);
    if (album == nullptr) {
        editing.film.clear();
        return;
    }
    const std::int32_t mode = editing.newAlbumStartsNegative;
    const bool editingDiscard = editing.editingAlbum != 0 && !keep;

    std::unordered_map<const PictureBlock*, PictureRecord*> onFilm;
    for (PictureRecord& picture : editing.film) {
        onFilm.emplace(picture.block.get(), &picture);
    }
    // The film's negatives become positive again when the album's side is positive.
    auto releaseNegative = [&](PictureRecord& filmPicture) {
        if (filmPicture.isNegative != 0 && mode == 0) {
            filmPicture.isNegative = 0;
            redrawThumbnail(filmPicture, false);
        }
    };

    for (PictureRecord& picture : state_.dirReader->catalogue()) {
        if (editingDiscard) {
            if (picture.albumId == -1) {
                picture.albumId = album->id;
            }
            picture.isNegative = mode;
        } else {
            picture.isNegative = mode;
            auto found = onFilm.find(picture.block.get());
            if (found != onFilm.end()) {
                PictureRecord& filmPicture = *found->second;
                if (!keep || filmPicture.isNegative != 0) {
                    picture.albumId = 0;
                    releaseNegative(filmPicture);
                } else {
                    picture.albumId = filmPicture.albumId;
                }
            }
        }
        if (picture.albumId == -1) {
            picture.albumId = 0;
        }
    }
    if (editingDiscard) {
        for (PictureRecord& filmPicture : editing.film) {
            if (filmPicture.isNegative != 0) {
                filmPicture.isNegative = 0;
                redrawThumbnail(filmPicture, false);
            }
        }
    }
    if (keep && !editing.film.empty()) {
        // The range is set to the pictures the film holds, earliest to latest,
        // whatever order the film is sorted in.
        const int bias = state_.dirReader->biasMinutes();
        std::uint64_t first = pictureShotKey(editing.film.front(), bias);
        std::uint64_t last = first;
        for (const PictureRecord& filmPicture : editing.film) {
            const std::uint64_t key = pictureShotKey(filmPicture, bias);
            first = std::min(first, key);
            last = std::max(last, key);
        }
        album->setStart(first);
        album->setEnd(last);
    }
    editing.film.clear();
}

}  // namespace dz
