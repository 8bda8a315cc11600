#pragma once

#include "places/PlaceIndex.h"

#include <string>

namespace dz {

// A place names a position up to this far from it ("Kyoto, Kyoto, Japan"),
// and is said to be near it up to the second distance ("near Kyoto, Kyoto,
// Japan"); farther out (at sea, in a desert) no place is named.
inline constexpr double kPlaceNamedWithinKm = 30.0;
inline constexpr double kPlaceNearWithinKm = 100.0;

// "Name, Region, Country", with "near " before it between the two
// distances, an empty region left out; empty beyond them or without a place.
std::string placeText(const PlaceMatch& match);

// The same with the name alone, for lists of places: "Kyoto", "near Kyoto".
std::string placeShortText(const PlaceMatch& match);

}  // namespace dz
