#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"

#include <vector>

namespace dz {

// Sets each album's ends to the first and last key of the pictures it holds,
// after the keys changed (the timeline was turned on or off, a camera's
// clock was set). An album that holds none keeps its ends.
void rebuildAlbumEnds(AlbumList& albums, const std::vector<PictureRecord>& pictures, int biasMinutes);

}  // namespace dz
