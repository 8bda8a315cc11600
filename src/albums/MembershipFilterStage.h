#pragma once

#include "albums/Album.h"
#include "albums/AlbumMembership.h"
#include "exif/ExifInfo.h"

#include <optional>

namespace dz {

// Whether the open Advanced Filter window lets a picture in the album's range
// stay there; with the window closed no filter applies. Notes what it tested
// in the window's `tested`.
bool passesOpenFilter(const Album& album, const std::optional<OpenFilterWindow>& filterWindow,
                      const ExifInfo& exif);

}  // namespace dz
