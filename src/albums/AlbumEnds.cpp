#include "albums/AlbumEnds.h"

#include "albums/AlbumMembership.h"

#include <algorithm>
#include <map>
#include <utility>

namespace dz {

void rebuildAlbumEnds(AlbumList& albums, const std::vector<PictureRecord>& pictures, int biasMinutes) {
    std::map<std::int32_t, std::pair<std::uint64_t, std::uint64_t>> ends;
    for (const PictureRecord& picture : pictures) {
        if (picture.albumId <= 0 || !picture.block) {
            continue;
        }
        const std::uint64_t key = pictureShotKey(picture, biasMinutes);
        const auto [at, added] = ends.emplace(picture.albumId, std::make_pair(key, key));
        if (!added) {
            at->second.first = std::min(at->second.first, key);
            at->second.second = std::max(at->second.second, key);
        }
    }
    for (Album& album : albums) {
        const auto found = ends.find(album.id);
        if (found != ends.end()) {
            album.setStart(found->second.first);
            album.setEnd(found->second.second);
        }
    }
}

}  // namespace dz
