#include "albums/AlbumMembership.h"

#include "albums/MembershipFilterStage.h"
#include "catalogue/PictureTimeStamp.h"
#include "platform/TimeZone.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace dz {

namespace {

constexpr double kBytesPerMB = 1048576.0;
constexpr int kSortByName = 1;
constexpr int kSortByDate = 2;

// Which pictures the film may show depends on how the album is being edited.
enum class Branch { NewAlbum, EditingWithRange, EditingOpenRange };

bool belongsOnFilm(std::int32_t albumId, std::int32_t id, Branch branch) {
    switch (branch) {
    case Branch::NewAlbum:
        return albumId == 0 || albumId == id;
    case Branch::EditingWithRange:
        return albumId == id || albumId == -1;
    case Branch::EditingOpenRange:
        return albumId == id || albumId == -1 || albumId == 0;
    }
    return false;
}

// A film copy shares its catalogue record's block, and so its filmImageIndex.
// Matching by the block finds that record even before the first film build
// has numbered the pictures, when every index is still -1.
using RecordsByBlock = std::unordered_map<const PictureBlock*, PictureRecord*>;

RecordsByBlock recordsByBlock(std::vector<PictureRecord>& catalogue) {
    RecordsByBlock records;
    records.reserve(catalogue.size());
    for (PictureRecord& record : catalogue) {
        if (record.block) {
            records.emplace(record.block.get(), &record);
        }
    }
    return records;
}

PictureRecord* catalogueRecordOf(const RecordsByBlock& records, const PictureRecord& copy) {
    const auto found = records.find(copy.block.get());
    return found == records.end() ? nullptr : found->second;
}

void carryNegativesBack(const std::vector<PictureRecord>& film, std::vector<PictureRecord>& catalogue) {
    const RecordsByBlock records = recordsByBlock(catalogue);
    for (const PictureRecord& copy : film) {
        if (PictureRecord* record = catalogueRecordOf(records, copy)) {
            record->isNegative = copy.isNegative;
        }
    }
}

Branch branchFor(const Album& album, const AlbumEditing& editing) {
    if (editing.editingAlbum == 0) {
        return Branch::NewAlbum;
    }
    return album.hasBothKeys() ? Branch::EditingWithRange : Branch::EditingOpenRange;
}

void fillFilm(std::vector<PictureRecord>& catalogue, AlbumEditing& editing, std::int32_t id, Branch branch,
              bool excludeDuplicates) {
    for (PictureRecord& picture : catalogue) {
        if (!belongsOnFilm(picture.albumId, id, branch)) {
            ++editing.inAlbumsCount;
            continue;
        }
        if (excludeDuplicates && picture.isDuplicate != 0) {
            continue;
        }
        editing.film.push_back(picture);
        // A free picture joins an album whose range is still open; its film
        // copy stays free until the window commits.
        if (branch == Branch::EditingOpenRange && picture.albumId == 0) {
            picture.albumId = id;
        }
    }
}

bool inRange(const Album& album, std::uint64_t key) {
    return album.startKey <= key && key <= album.endKey;
}

// Keeps on the film the pictures the album's range (and the open filter)
// admits, counting the positive ones into the album.
void narrowFilmToRange(Album& album, AlbumEditing& editing, std::vector<PictureRecord>& catalogue,
                       const std::optional<OpenFilterWindow>& filterWindow, int biasMinutes) {
    album.pictureCount = 0;
    album.sizeMB = 0.0f;
    const RecordsByBlock records = recordsByBlock(catalogue);
    // The film is rebuilt into a new list so that no picture is skipped or
    // met twice while pictures leave it.
    std::vector<PictureRecord> kept;
    kept.reserve(editing.film.size());
    for (PictureRecord& picture : editing.film) {
        const bool admitted = inRange(album, pictureShotKey(picture, biasMinutes)) &&
                              passesOpenFilter(album, filterWindow, picture.exif());
        if (!admitted) {
            if (editing.editingAlbum != 0) {
                if (PictureRecord* record = catalogueRecordOf(records, picture)) {
                    record->albumId = -1;
                }
            }
            continue;
        }
        picture.albumId = album.id;
        // Counted only once the filter kept it, so that film size minus
        // outsideCount stays the number of pictures that count.
        if (picture.isNegative != 0) {
            ++editing.outsideCount;
        } else {
            ++album.pictureCount;
            ++editing.inAlbumsCount;
            album.sizeMB += static_cast<float>(static_cast<double>(shotSize(picture)) / kBytesPerMB);
        }
        kept.push_back(std::move(picture));
    }
    editing.film = std::move(kept);
}

}  // namespace

std::uint64_t pictureShotKey(const PictureRecord& picture, int biasMinutes) {
    if (picture.block->spot.onTimeline) {
        return static_cast<std::uint64_t>(picture.block->spot.key);
    }
    return static_cast<std::uint64_t>(pictureTimeStamp(picture.exif().dateTime, biasMinutes));
}

std::int64_t pictureShownTime(const PictureRecord& picture, int biasMinutes) {
    const TimelineSpot& spot = picture.block->spot;
    if (spot.onTimeline) {
        // On the scale texts read with the bias, so they show the place's time.
        return fileTimeFromUnix(spot.localTime) + std::int64_t{biasMinutes} * 60 * kFileTimePerSecond;
    }
    return pictureOwnTime(picture.exif().dateTime, biasMinutes);
}

std::int64_t shownTimeAtKey(const std::vector<PictureRecord>& pictures, std::uint64_t key, int biasMinutes) {
    // Only a key at minute or second 01 can differ from its picture's time,
    // so most ends need no search; on the timeline every key differs.
    // The whole catalogue is on it or none of it.
    const bool onTimeline = !pictures.empty() && pictures.front().block && pictures.front().block->spot.onTimeline;
    const std::int64_t local = static_cast<std::int64_t>(key) / kFileTimePerSecond - std::int64_t{biasMinutes} * 60;
    const std::int64_t secondsOfDay = ((local % 86400) + 86400) % 86400;
    if (!onTimeline && (secondsOfDay / 60) % 60 != 1 && secondsOfDay % 60 != 1) {
        return static_cast<std::int64_t>(key);
    }
    for (const PictureRecord& picture : pictures) {
        if (pictureShotKey(picture, biasMinutes) == key) {
            return pictureShownTime(picture, biasMinutes);
        }
    }
    return static_cast<std::int64_t>(key);
}

Album* currentAlbum(AlbumList& albums, const AlbumEditing& editing) {
    if (editing.editingAlbum == 0) {
        return albums.empty() ? nullptr : &albums.back();
    }
    const auto found = std::find_if(albums.begin(), albums.end(),
                                    [&](const Album& album) { return album.id == editing.editedAlbumId; });
    return found == albums.end() ? nullptr : &*found;
}

std::vector<PictureRecord>& runMembershipPass(AlbumList& albums, AlbumEditing& editing, CDirReader& reader,
                                              const ViewSettings& view, bool excludeDuplicates,
                                              const std::optional<OpenFilterWindow>& filterWindow,
                                              int biasMinutes) {
    editing.outsideCount = 0;
    editing.inAlbumsCount = 0;
    std::vector<PictureRecord>& catalogue = reader.catalogue();
    carryNegativesBack(editing.film, catalogue);
    editing.film.clear();
    reader.sortCatalogue(view.sortByDate != 0 ? kSortByDate : kSortByName, view.sortAscending == 0);

    Album* album = currentAlbum(albums, editing);
    if (album == nullptr) {
        // Nothing to edit: the film shows the free pictures and nothing is marked.
        fillFilm(catalogue, editing, 0, Branch::NewAlbum, excludeDuplicates);
        return editing.film;
    }
    fillFilm(catalogue, editing, album->id, branchFor(*album, editing), excludeDuplicates);
    if (filterWindow && filterWindow->tested != nullptr) {
        *filterWindow->tested = TestedCriteria{};
    }
    if (album->hasBothKeys()) {
        narrowFilmToRange(*album, editing, catalogue, filterWindow, biasMinutes);
    }
    return editing.film;
}

}  // namespace dz
