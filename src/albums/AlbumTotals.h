#pragma once

#include "albums/Album.h"

#include <cstdint>

namespace dz {

// What the albums hold together. Counts and sizes may come from a damaged
// session file, so they are summed wide and each held to what a count or a
// size can be: no negative share, and a total a 32-bit count can show.
struct AlbumTotals {
    std::int32_t pictures = 0;
    double sizeMB = 0;
};

AlbumTotals albumTotals(const AlbumList& albums);

}  // namespace dz
