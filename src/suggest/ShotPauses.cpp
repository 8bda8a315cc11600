#include "suggest/ShotPauses.h"

#include "places/GreatCircle.h"
#include "suggest/DaySuggestion.h"

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

std::size_t moveShot(const std::vector<SuggestShot>& shots, std::size_t after, std::size_t upTo) {
    const DaySettings days;
    const long long arrivalDay = shotDay(shots[upTo], days);
    std::size_t firstOfDay = upTo;
    while (firstOfDay > after + 1 && shotDay(shots[firstOfDay - 1], days) == arrivalDay) {
        --firstOfDay;
    }
    // Left the last known position on the arrival's day: any pause of the day.
    if (shotDay(shots[after], days) == arrivalDay) {
        return shotAfterLongestPause(shots, after, upTo);
    }
    return firstOfDay == upTo ? upTo : shotAfterLongestPause(shots, firstOfDay, upTo);
}

double shotDistanceKm(const SuggestShot& a, const SuggestShot& b) {
    return greatCircleKm(a.latitude, a.longitude, b.latitude, b.longitude);
}

}  // namespace dz
