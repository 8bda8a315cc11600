#pragma once

#include <functional>
#include <optional>
#include <string>

namespace dz {

// What the gazetteer tells of a position: the zone of the place, and its
// name ("Kyoto, Kyoto, Japan"; short "Kyoto"), empty where it is too far
// from any place to name one.
struct PlaceOfShot {
    std::string zone;
    std::string text;
    std::string shortName;
};

// Looks a position up; none where nothing is known of it. Called only for
// shots that have a position, so a catalogue without any loads no gazetteer.
using PlaceFinder = std::function<std::optional<PlaceOfShot>(double latitude, double longitude)>;

}  // namespace dz
