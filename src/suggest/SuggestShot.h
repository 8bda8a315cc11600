#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// One picture as the album suggestions see it: when and where it was taken,
// and which catalogue picture it stands for. Suggestions take a list of these
// ordered by moment.
struct SuggestShot {
    std::int64_t moment = 0;     // seconds since 1970, UTC
    std::uint64_t key = 0;       // the picture's album key (pictureShotKey)
    std::int64_t localTime = 0;  // the time at its place, seconds since 1970 read as UTC
    std::int64_t shownTime = 0;  // the time value its texts show (pictureShownTime)
    // Of its place, seconds east of UTC, as the timeline reads it: from its
    // own position, a shot of known place near it, its clock, else the
    // computer's zone.
    std::int32_t placeOffset = 0;
    bool hasPosition = false;
    double latitude = 0;
    double longitude = 0;
    std::string place;          // short place name ("Kyoto", "near Nara"); empty when none
    std::size_t picture = 0;    // index in the catalogue it was made from
    std::uint64_t size = 0;     // bytes, with the files that travel with it
};

}  // namespace dz
