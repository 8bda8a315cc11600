#pragma once

#include "catalogue/PictureRecord.h"

#include <cstdint>
#include <vector>

namespace dz {

// How the film is sorted; shared by every Edit Album window, not saved.
struct ViewSettings {
    std::int32_t sortByDate = 1;
    std::int32_t sortAscending = 1;
};

// The state of the one Edit Album window, owned by the main window.
struct AlbumEditing {
    std::int32_t editingAlbum = 0;   // 1: an existing album is edited
    std::int32_t editedAlbumId = 0;
    std::int32_t newAlbumStartsNegative = 0;
    std::int32_t savedStartsNegative = 0;
    // Set when a new album starts from the other side or a picture is flipped.
    bool filmSideChanged = false;
    // Pictures that belong to an album: left off the film for another album,
    // plus those counted in this one.
    std::int32_t inAlbumsCount = 0;
    // Pictures on the film that do not count in the album.
    std::int32_t outsideCount = 0;
    // The pictures the film shows (copies sharing the catalogue's blocks).
    std::vector<PictureRecord> film;
};

}  // namespace dz
