#include "suggest/CatalogueShots.h"

#include "albums/AlbumMembership.h"
#include "platform/TimeZone.h"

#include <algorithm>

namespace dz {

namespace {

std::int64_t unixSecondsOf(std::int64_t fileTime) {
    const std::int64_t since = fileTime - kFileTimeUnixEpoch;
    // Floor, so that a moment before 1970 stays in its own second.
    return since >= 0 ? since / kFileTimePerSecond : -((-since + kFileTimePerSecond - 1) / kFileTimePerSecond);
}

bool taken(const PictureRecord& picture, ShotsTaken which) {
    if (picture.isFolder || !picture.block) {
        return false;
    }
    return which == ShotsTaken::AllPictures || picture.albumId == 0;
}

}  // namespace

std::vector<SuggestShot> suggestShotsOf(const std::vector<PictureRecord>& pictures, int biasMinutes,
                                        ShotsTaken which) {
    std::vector<SuggestShot> shots;
    shots.reserve(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const PictureRecord& picture = pictures[i];
        if (!taken(picture, which)) {
            continue;
        }
        SuggestShot shot;
        shot.key = pictureShotKey(picture, biasMinutes);
        shot.moment = unixSecondsOf(static_cast<std::int64_t>(shot.key));
        // The shown time less the bias is the wall clock at the place, on
        // the timeline or off it: the days are the days the texts show.
        shot.shownTime = pictureShownTime(picture, biasMinutes);
        shot.localTime = unixSecondsOf(shot.shownTime) - std::int64_t{biasMinutes} * 60;
        shot.placeOffset = picture.block->spot.offsetSeconds;
        const ShotPosition& position = picture.exif().position;
        shot.hasPosition = position.known;
        shot.latitude = position.latitude;
        shot.longitude = position.longitude;
        shot.place = picture.block->spot.placeShort;
        shot.picture = i;
        shot.size = shotSize(picture);
        shots.push_back(std::move(shot));
    }
    std::stable_sort(shots.begin(), shots.end(),
                     [](const SuggestShot& a, const SuggestShot& b) { return a.key < b.key; });
    return shots;
}

}  // namespace dz
