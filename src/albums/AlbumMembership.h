#pragma once

#include "albums/Album.h"
#include "albums/AlbumEditing.h"
#include "catalogue/CDirReader.h"
#include "filter/FilterCriteria.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dz {

// What the membership pass needs from the open Advanced Filter window; the
// pass applies no filter while the window is closed.
struct OpenFilterWindow {
    UseFlags shown{};
    TestedCriteria* tested = nullptr;  // filled by the pass when given
};

// The picture's shot key: its EXIF date as a time stamp.
std::uint64_t pictureShotKey(const PictureRecord& picture, int biasMinutes);

// The picture's own shot time on the same scale, for names and texts: the
// key counts a zero minute or second as 01, this keeps it.
std::int64_t pictureShownTime(const PictureRecord& picture, int biasMinutes);

// The shown time of an album end: the own time of a picture whose key it
// is, else the key itself (an end typed by hand).
std::int64_t shownTimeAtKey(const std::vector<PictureRecord>& pictures, std::uint64_t key, int biasMinutes);

// The album being edited, or the last album when a new one is made; null
// when there is none.
Album* currentAlbum(AlbumList& albums, const AlbumEditing& editing);

// Appends a new album; may refuse with its message (then false).
bool createAlbum(AlbumList& albums, AlbumEditing& editing, CDirReader& reader, Host& host);

// Decides which pictures the film shows and which count in the current
// album; returns the film (editing.film).
std::vector<PictureRecord>& runMembershipPass(AlbumList& albums, AlbumEditing& editing, CDirReader& reader,
                                              const ViewSettings& view, bool excludeDuplicates,
                                              const std::optional<OpenFilterWindow>& filterWindow,
                                              int biasMinutes);

}  // namespace dz
