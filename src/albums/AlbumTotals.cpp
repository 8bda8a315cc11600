#include "albums/AlbumTotals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dz {

AlbumTotals albumTotals(const AlbumList& albums) {
    constexpr std::int64_t kMaxCount = std::numeric_limits<std::int32_t>::max();
    std::int64_t pictures = 0;
    double sizeMB = 0;
    for (const Album& album : albums) {
        pictures = std::min(kMaxCount, pictures + std::max<std::int64_t>(0, album.pictureCount));
        const double size = static_cast<double>(album.sizeMB);
        if (std::isfinite(size) && size > 0) {
            sizeMB += size;
        }
    }
    return AlbumTotals{static_cast<std::int32_t>(pictures), sizeMB};
}

}  // namespace dz
