#include "places/PlaceText.h"

namespace dz {

namespace {

// "", "near " or no naming at all (false) for the match's distance.
bool lead(const PlaceMatch& match, std::string& text) {
    if (match.place == nullptr || !(match.distanceKm <= kPlaceNearWithinKm)) {
        return false;
    }
    text = match.distanceKm <= kPlaceNamedWithinKm ? "" : "near ";
    return true;
}

}  // namespace

std::string placeText(const PlaceMatch& match) {
    std::string text;
    if (!lead(match, text)) {
        return {};
    }
    text += match.place->name;
    for (const std::string* part : {&match.place->region, &match.place->country}) {
        if (!part->empty()) {
            text += ", ";
            text += *part;
        }
    }
    return text;
}

std::string placeShortText(const PlaceMatch& match) {
    std::string text;
    if (!lead(match, text)) {
        return {};
    }
    return text + match.place->name;
}

}  // namespace dz
