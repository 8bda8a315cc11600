#include "albums/MembershipFilterStage.h"

#include "filter/FilterMatch.h"

namespace dz {

bool passesOpenFilter(const Album& album, const std::optional<OpenFilterWindow>& filterWindow,
                      const ExifInfo& exif) {
    if (!filterWindow) {
        return true;
    }
    // The matching rule tests camera and model always and the other criteria
    // only when the album's filter is enabled.
    return picturePassesFilter(album.filter, filterWindow->shown, exif, filterWindow->tested);
}

}  // namespace dz
