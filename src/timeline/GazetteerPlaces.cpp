#include "timeline/GazetteerPlaces.h"

#include "places/Gazetteer.h"
#include "places/PlaceText.h"

namespace dz {

PlaceFinder gazetteerPlaceFinder() {
    return [](double latitude, double longitude) -> std::optional<PlaceOfShot> {
        std::string problem;
        const PlaceIndex* index = gazetteer(problem);
        if (index == nullptr) {
            return std::nullopt;
        }
        const PlaceMatch match = index->nearest(latitude, longitude);
        if (match.place == nullptr || match.distanceKm > kZoneWithinKm) {
            return std::nullopt;
        }
        return PlaceOfShot{match.place->zone, placeText(match), placeShortText(match)};
    };
}

}  // namespace dz
