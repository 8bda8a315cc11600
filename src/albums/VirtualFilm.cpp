#include "albums/VirtualFilm.h"

#include "albums/AlbumMembership.h"
#include "albums/FilmLabel.h"
#include "exif/TextFormat.h"

#include <algorithm>
#include <chrono>

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

// The catalogue's sides onto the film copies in one pass: setSide for each
// picture of a large catalogue would walk it once per picture.
void VirtualFilm::copySidesToFilm() {
    std::unordered_map<const PictureBlock*, std::int32_t> sides;
    sides.reserve(ws_.reader.catalogue().size());
    for (const PictureRecord& record : ws_.reader.catalogue()) {
        sides[record.block.get()] = record.isNegative;
    }
    for (PictureRecord& copy : ws_.editing.film) {
        if (const auto found = sides.find(copy.block.get()); found != sides.end()) {
            copy.isNegative = found->second;
        }
    }
}

VirtualFilm::Made VirtualFilm::thumbnail(const PictureRecord& picture, bool negative, ThumbnailShape shape,
                                         CRaster& out) {
    FilmThumbnail made = makeFilmThumbnail(picture, negative, shape, cache());
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
    list_.itemCaptions.clear();
    list_.itemTexts = this;
    list_.selection = -1;
    const auto& film = ws_.editing.film;
    items_ = film.size();
    list_.itemImages.clear();
    list_.itemImages.reserve(film.size());
    for (const PictureRecord& picture : film) {
        list_.itemImages.push_back(picture.block->imageListIndex);
    }
    showItems(list_.firstShown, list_.lastShown);
}

int VirtualFilm::itemCount() const {
    return static_cast<int>(std::min(items_, ws_.editing.film.size()));
}

std::string VirtualFilm::itemLabel(int item) const {
    return item >= 0 && item < itemCount() ? label(item + 1, ws_.editing.film[static_cast<std::size_t>(item)])
                                           : std::string{};
}

std::string VirtualFilm::itemCaption(int item) const {
    return item >= 0 && item < itemCount() ? caption(item + 1, ws_.editing.film[static_cast<std::size_t>(item)])
                                           : std::string{};
}

std::string VirtualFilm::itemToolTip(int item) const {
    if (item < 0 || item >= itemCount()) {
        return {};
    }
    return ws_.editing.film[static_cast<std::size_t>(item)].block->spot.place;
}

std::string VirtualFilm::caption(int n, const PictureRecord& picture) const {
    std::size_t dateAt = 0;
    std::string text = filmLabel(n, picture, ws_.dateFormatIndex, ws_.timeFormatIndex, ws_.biasMinutes, &dateAt);
    text.insert(dateAt, "\n");
    return text;
}

FilmOutcome VirtualFilm::build(const std::vector<PictureRecord>* prepared) {
    list_.itemImages.clear();
    list_.selection = -1;
    items_ = 0;
    if (prepared) {
        ws_.editing.film = *prepared;
    } else {
        pass();
    }
    if (!ws_.filmBuilt) {
        stopWork();
        auto& catalogue = ws_.reader.catalogue();
        const std::int32_t side = currentSide();
        bool sideChanged = false;
        for (std::size_t i = 0; i < catalogue.size(); ++i) {
            PictureRecord& picture = catalogue[i];
            const auto slot = static_cast<std::int32_t>(i);
            if (picture.block->filmImageIndex == -1) {
                picture.block->filmImageIndex = slot;
            }
            picture.block->imageListIndex = slot;
            // Pictures of other albums are not on this film and keep their side.
            if (picture.albumId == 0 && picture.isNegative != side) {
                picture.isNegative = side;
                sideChanged = true;
            }
        }
        if (sideChanged) {
            copySidesToFilm();
        }
        ws_.filmImages.reset(catalogue);
        ws_.filmBuilt = true;
        cursor_ = 0;
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
    for (int i = 0; i < total && !ws_.abortRequest; ++i) {
        PictureRecord& picture = catalogue[i];
        if (picture.albumId != ws_.editing.editedAlbumId || !picture.isNegative) {
            continue;
        }
        show(formatText("Updating film. Picture: %d, left %d.", i + 1, total - i - 1));
        picture.isNegative = side;
        ws_.filmImages.remake(picture.block->imageListIndex, side != 0, ThumbnailShape::KeepProportions);
    }
    copySidesToFilm();
    cursor_ = 0;
    ws_.editing.filmSideChanged = false;
    return FilmOutcome::Done;
}

FilmOutcome VirtualFilm::repolarise() {
    auto& catalogue = ws_.reader.catalogue();
    const std::int32_t side = currentSide();
    const int filmSize = static_cast<int>(ws_.editing.film.size());
    int n = 0;
    for (PictureRecord& picture : catalogue) {
        if (picture.albumId != 0 || ws_.abortRequest) {
            continue;
        }
        picture.isNegative = side;
        show(formatText("Updating film. Picture: %d, of %d.", ++n, filmSize));
        ws_.filmImages.remake(picture.block->imageListIndex, side != 0, ThumbnailShape::KeepProportions);
    }
    copySidesToFilm();
    cursor_ = 0;
    ws_.editing.filmSideChanged = false;
    return FilmOutcome::Done;
}

ThumbnailPool& VirtualFilm::pool() {
    if (!pool_) {
        pool_ = std::make_unique<ThumbnailPool>(ws_.thumbnailWorkers, [cache = cache()](const ThumbnailJob& job) {
            if (!job.pixels && thumbnailCached(job.picture, cache)) {
                return FilmThumbnail{};  // made, its pixels follow when it is in view
            }
            FilmThumbnail made = makeFilmThumbnail(job.picture, job.negative, job.shape, cache);
            if (made.status == FilmThumbnail::Status::Made && made.image.isValid()) {
                made.packed = FilmImageList::pack(made.image);
                made.image = CRaster{};
            }
            return made;
        });
    }
    return *pool_;
}

void VirtualFilm::stopWork() {
    if (pool_) {
        pool_->cancel();
    }
    pending_.clear();
}

void VirtualFilm::showItems(int first, int last) {
    shownSlots_.clear();
    const int count = static_cast<int>(list_.itemImages.size());
    for (int item = std::max(0, first); item <= last && item < count; ++item) {
        shownSlots_.push_back(list_.itemImages[static_cast<std::size_t>(item)]);
    }
    ws_.filmImages.setShown(shownSlots_);
}

void VirtualFilm::submit(int slot, bool urgent) {
    ThumbnailJob job = ws_.filmImages.job(slot);
    job.pixels = urgent;
    // A picture come into view goes ahead of its own job deep in the queue.
    const auto found = pending_.find(slot);
    if (found != pending_.end() && found->second.version == job.version && (found->second.urgent || !urgent)) {
        return;
    }
    pending_[slot] = Pending{job.version, urgent};
    pool().submit(std::move(job), urgent);
}

// Enough jobs queued that no worker waits between two calls of work(): the
// desktop calls it every 40 ms, and a thumbnail found in the cache takes a
// worker well under a tenth of a millisecond.
void VirtualFilm::feed() {
    FilmImageList& images = ws_.filmImages;
    for (auto slot = shownSlots_.rbegin(); slot != shownSlots_.rend(); ++slot) {
        if (*slot >= 0 && *slot < images.size() && !images.hasPixels(*slot)) {
            submit(*slot, true);  // the first item in view ends up first in the queue
        }
    }
    const int depth = 1024 * pool().workers();
    int queued = pool().outstanding();
    const int size = images.size();
    // A bounded look per call: near the end, when what is missing is all
    // queued, a walk of the whole film twice per call would take the window's
    // thread from taking results in.
    const int lookAt = std::min(size, 4 * depth);
    for (int looked = 0; queued < depth && images.missing() > 0 && looked < lookAt; ++looked) {
        cursor_ = cursor_ >= size ? 0 : cursor_;
        const int slot = cursor_++;
        if (images.state(slot) == FilmImageList::State::Missing &&
            pending_.find(slot) == pending_.end()) {
            submit(slot, false);
            ++queued;
        }
    }
}

FilmWork VirtualFilm::takeIn(ThumbnailDone& done) {
    FilmImageList& images = ws_.filmImages;
    const auto found = pending_.find(done.slot);
    if (found != pending_.end() && found->second.version == done.version) {
        pending_.erase(found);
    }
    if (done.slot < 0 || done.slot >= images.size() || images.version(done.slot) != done.version) {
        return FilmWork::Working;  // the recipe changed since: a newer job follows
    }
    switch (done.made.status) {
    case FilmThumbnail::Status::Made:
        if (done.made.packed.empty()) {
            images.store(done.slot, done.version, done.made.image);
        } else {
            images.storePacked(done.slot, done.version, std::move(done.made.packed));
        }
        break;
    case FilmThumbnail::Status::Unreadable: {
        asking_ = true;
        const Answer answer = ws_.host.messageBox(kDiskErrorText, kDiskErrorCaption, Icon::Error, Buttons::OkCancel);
        asking_ = false;
        if (answer == Answer::Cancel) {
            stopWork();
            return FilmWork::Closed;
        }
        images.setPlaceholder(done.slot);
        break;
    }
    case FilmThumbnail::Status::ResampleFailed:
        stopWork();
        asking_ = true;
        ws_.host.messageBox(pictureErrorText(images.path(done.slot)), kPictureErrorCaption, Icon::Error);
        asking_ = false;
        return FilmWork::Closed;
    }
    ++madeHere_;
    return FilmWork::Working;
}

FilmWork VirtualFilm::work(bool wait) {
    // A question is open: the answer comes first (its dialog runs the events).
    if (asking_) {
        return FilmWork::Working;
    }
    if (ws_.abortRequest) {
        stopWork();
        return FilmWork::Idle;
    }
    FilmImageList& images = ws_.filmImages;
    if (images.empty()) {
        return FilmWork::Idle;
    }
    feed();
    if (wait && pool().outstanding() > 0) {
        pool().waitForResult(std::chrono::milliseconds(50));
    }
    std::vector<ThumbnailDone> finished = pool().takeFinished();
    const int before = madeHere_;
    for (ThumbnailDone& done : finished) {
        if (takeIn(done) == FilmWork::Closed) {
            return FilmWork::Closed;
        }
        if (ws_.abortRequest) {
            stopWork();
            return FilmWork::Idle;
        }
    }
    feed();
    const int total = images.size();
    if (madeHere_ != before) {
        const char* progress = currentSide() ? "Building negative film. Adding picture: %d, left %d."
                                             : "Building film. Adding picture: %d, left %d.";
        show(formatText(progress, total - images.missing(), images.missing()));
    }
    if (!pending_.empty() || images.missing() > 0) {
        return FilmWork::Working;
    }
    if (madeHere_ != before && afterWork_) {
        afterWork_();
    }
    return FilmWork::Idle;
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
    const double sizeMB = static_cast<double>(shotSize(picture)) / kBytesPerMB;
    if (wasPositive) {
        image.negative();
    }
    ws_.editing.inAlbumsCount += step;
    if (Album* album = currentAlbum(ws_.albums, ws_.editing)) {
        album->pictureCount += step;
        album->sizeMB = static_cast<float>(album->sizeMB + step * sizeMB);
    }
    setSide(picture, wasPositive ? 1 : 0);
    ws_.filmImages.replace(picture.block->imageListIndex, image, wasPositive, ThumbnailShape::Stretch);
    pass();
    return FilmOutcome::Done;
}

void VirtualFilm::beginLabelEdit(int item) {
    labelAtBegin_ = itemLabel(item);
}

void VirtualFilm::endLabelEdit(int item, const std::string& text) {
    const auto& film = ws_.editing.film;
    if (text == labelAtBegin_ || item < 0 || item >= static_cast<int>(film.size())) {
        return;
    }
    PictureBlock& block = *film[item].block;
    block.hasCustomName = !text.empty();
    block.customName = text.substr(0, kCustomNameChars);
}

}  // namespace dz
