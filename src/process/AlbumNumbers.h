#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace dz {

// The numbers pictures get within their album: 1, 2, ... in the album's
// order (shot time, then path) through the whole album, each padded to the
// digits of the album's count.
class AlbumNumbers {
public:
    AlbumNumbers(const std::vector<PictureRecord>& catalogue, const Album& album);

    // "07" of 31 pictures; empty for a picture outside the album.
    std::string of(const PictureRecord& picture) const;

private:
    std::unordered_map<std::string, int> numbers_;
    int digits_ = 1;
};

}  // namespace dz
