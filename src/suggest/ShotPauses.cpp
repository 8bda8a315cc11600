#include "suggest/ShotPauses.h"

#include "places/GreatCircle.h"

namespace dz {

std::size_t shotAfterLongestPause(const std::vector<SuggestShot>& shots, std::size_t after, std::size_t upTo) {
    std::size_t best = after + 1;
    for (std::size_t i = after + 2; i <= upTo; ++i) {
        if (shots[i].moment - shots[i - 1].moment > shots[best].moment - shots[best - 1].moment) {
            best = i;
        }
    }
    return best;
}

double shotDistanceKm(const SuggestShot& a, const SuggestShot& b) {
    return greatCircleKm(a.latitude, a.longitude, b.latitude, b.longitude);
}

}  // namespace dz
