#include "albums/VirtualFilm.h"

#include "albums/AlbumMembership.h"
#include "albums/FilmLabel.h"
#include "exif/TextFormat.h"

namespace dz {

namespace {
constexpr double kBytesPerMB = 1048576.0;
}

std::string pictureErrorText(const std::string& path) {
    return formatText("Picture '%s' has cause an error. Try to remove it from folder and restart application",
                      path.c_str());
}

VirtualFilm::VirtualFilm(AlbumWorkspace& workspace, Control& topLine, Control& list,
                         std::function<void()> afterPass)
    : ws_(workspace), topLine_(topLine), list_(list), afterPass_(std::move(afterPass)) {}

std::vector<PictureRecord>& VirtualFilm::pass() {
    const std::optional<OpenFilterWindow> filterWindow = filterWindow_ ? filterWindow_() : std::nullopt;
    auto& film = runMembershipPass(ws_.albums, ws_.editing, ws_.reader, ws_.view, ws_.excludeDuplicates != 0,
                                   filterWindow, ws_.biasMinutes);
    if (afterPass_) {
        afterPass_();
    }
    return film;
}

std::int32_t VirtualFilm::currentSide() const {
    return ws_.editing.editingAlbum ? 0 : ws_.editing.newAlbumStartsNegative;
}

std::string VirtualFilm::label(int n, const PictureRecord& picture) const {
    return filmLabel(n, picture, ws_.dateFormatIndex, ws_.timeFormatIndex, ws_.biasMinutes);
}

void VirtualFilm::show(const std::string& text) {
    topLine_.text = text;
}

// Catalogue record and film copy are separate records over one block, so a
// side is written to both; the next pass would otherwise carry a stale copy back.
void VirtualFilm::setSide(PictureRecord& picture, std::int32_t side) {
    const PictureBlock* block = picture.block.get();
    picture.isNegative = side;
    for (PictureRecord& record : ws_.reader.catalogue()) {
        if (record.block.get() == block) {
            record.isNegative = side;
        }
    }
    for (PictureRecord& copy : ws_.editing.film) {
        if (copy.block.get() == block) {
            copy.isNegative = side;
        }
    }
}

VirtualFilm::Made VirtualFilm::thumbnail(const PictureRecord& picture, bool negative, ThumbnailShape shape,
                                         CRaster& out) {
    FilmThumbnail made = makeFilmThumbnail(picture, negative, shape);
    if (made.status == FilmThumbnail::Status::Unreadable) {
        const Answer answer = ws_.host.messageBox(kDiskErrorText, kDiskErrorCaption, Icon::Error, Buttons::OkCancel);
        if (answer == Answer::Cancel) {
            return Made::Closed;
        }
        out = placeholderThumbnail(negative);
        return Made::Ok;
    }
    if (made.status == FilmThumbnail::Status::ResampleFailed) {
        ws_.host.messageBox(pictureErrorText(picture.path), kPictureErrorCaption, Icon::Error);
        return Made::Closed;
    }
    if (made.resampled) {
        show("Resample");
    }
    out = std::move(made.image);
    return Made::Ok;
}

void VirtualFilm::insertItems() {
    list_.imageStrip = &ws_.filmImages;
    list_.items.clear();
    list_.itemImages.clear();
    list_.selection = -1;
    int n = 1;
    for (const PictureRecord& picture : ws_.editing.film) {
        list_.items.push_back(label(n++, picture));
        list_.itemImages.push_back(picture.block->imageListIndex);
    }
}

FilmOutcome VirtualFilm::build(const std::vector<PictureRecord>* prepared) {
    list_.items.clear();
    list_.itemImages.clear();
    list_.selection = -1;
    if (prepared) {
        ws_.editing.film = *prepared;
    } else {
        pass();
    }
    if (!ws_.filmBuilt) {
        ws_.filmImages.release();
        auto& catalogue = ws_.reader.catalogue();
        const int total = static_cast<int>(catalogue.size());
        const std::int32_t side = currentSide();
        const char* progress = side ? "Building negative film. Adding picture: %d, left %d."
                                    : "Building film. Adding picture: %d, left %d.";
        bool sideChanged = false;
        for (int i = 0; i < total; ++i) {
            ws_.host.pumpMessages();
            if (ws_.abortRequest) {
                return FilmOutcome::Stopped;
            }
            PictureRecord& picture = catalogue[i];
            const std::int32_t count = ws_.filmImages.size();
            if (picture.block->filmImageIndex == -1) {
                picture.block->filmImageIndex = count;
            }
            picture.block->imageListIndex = count;
            show(formatText(progress, i + 1, total - count - 1));
            // Pictures of other albums are not on this film and keep their side.
            if (picture.albumId == 0 && picture.isNegative != side) {
                setSide(picture, side);
                sideChanged = true;
            }
            CRaster image;
            if (thumbnail(picture, picture.isNegative != 0, ThumbnailShape::KeepProportions, image) == Made::Closed) {
                ws_.filmImages.release();
                return FilmOutcome::Closed;
            }
            ws_.filmImages.append(image);
        }
        ws_.filmBuilt = true;
        // The counts of the pass were taken before the sides were set.
        if (sideChanged && !prepared) {
            pass();
        }
    }
    insertItems();
    return FilmOutcome::Done;
}

FilmOutcome VirtualFilm::update() {
    auto& catalogue = ws_.reader.catalogue();
    const int total = static_cast<int>(catalogue.size());
    const std::int32_t side = currentSide();
    for (int i = 0; i < total; ++i) {
        ws_.host.pumpMessages();
        if (ws_.abortRequest) {
            break;
        }
        PictureRecord& picture = catalogue[i];
        show(formatText("Updating film. Picture: %d, left %d.", i + 1, total - i - 1));
        if (picture.albumId != ws_.editing.editedAlbumId || !picture.isNegative) {
            continue;
        }
        setSide(picture, side);
        CRaster image;
        if (thumbnail(picture, side != 0, ThumbnailShape::KeepProportions, image) == Made::Closed) {
            return FilmOutcome::Closed;
        }
        ws_.filmImages.replace(picture.block->imageListIndex, image);
    }
    ws_.editing.filmSideChanged = false;
    return FilmOutcome::Done;
}

FilmOutcome VirtualFilm::repolarise() {
    auto& catalogue = ws_.reader.catalogue();
    const std::int32_t side = currentSide();
    const int filmSize = static_cast<int>(ws_.editing.film.size());
    int n = 0;
    for (PictureRecord& picture : catalogue) {
        if (picture.albumId != 0) {
            continue;
        }
        ws_.host.pumpMessages();
        if (ws_.abortRequest) {
            break;
        }
        setSide(picture, side);
        show(formatText("Updating film. Picture: %d, of %d.", ++n, filmSize));
        CRaster image;
        if (thumbnail(picture, side != 0, ThumbnailShape::KeepProportions, image) == Made::Closed) {
            return FilmOutcome::Closed;
        }
        ws_.filmImages.replace(picture.block->imageListIndex, image);
    }
    ws_.editing.filmSideChanged = false;
    return FilmOutcome::Done;
}

FilmOutcome VirtualFilm::flip(int item) {
    auto& film = ws_.editing.film;
    if (item < 0 || item >= static_cast<int>(film.size())) {
        return FilmOutcome::Done;
    }
    PictureRecord& picture = film[item];
    ws_.editing.filmSideChanged = true;
    CRaster image;
    if (thumbnail(picture, false, ThumbnailShape::Stretch, image) == Made::Closed) {
        return FilmOutcome::Closed;
    }
    const bool wasPositive = picture.isNegative == 0;
    const int step = wasPositive ? -1 : 1;
    const double sizeMB = static_cast<double>(picture.size) / kBytesPerMB;
    if (wasPositive) {
        image.negative();
    }
    ws_.editing.inAlbumsCount += step;
    if (Album* album = currentAlbum(ws_.albums, ws_.editing)) {
        album->pictureCount += step;
        album->sizeMB = static_cast<float>(album->sizeMB + step * sizeMB);
    }
    setSide(picture, wasPositive ? 1 : 0);
    ws_.filmImages.replace(picture.block->imageListIndex, image);
    pass();
    return FilmOutcome::Done;
}

void VirtualFilm::relabel(int item) {
    const auto& film = ws_.editing.film;
    if (item < 0 || item >= static_cast<int>(film.size()) || item >= static_cast<int>(list_.items.size())) {
        return;
    }
    list_.items[item] = label(item + 1, film[item]);
}

void VirtualFilm::beginLabelEdit(int item) {
    labelAtBegin_ = item >= 0 && item < static_cast<int>(list_.items.size()) ? list_.items[item] : std::string{};
}

void VirtualFilm::endLabelEdit(int item, const std::string& text) {
    const auto& film = ws_.editing.film;
    if (text == labelAtBegin_ || item < 0 || item >= static_cast<int>(film.size())) {
        return;
    }
    PictureBlock& block = *film[item].block;
    block.hasCustomName = !text.empty();
    block.customName = text.substr(0, kCustomNameChars);
    relabel(item);
}

}  // namespace dz
