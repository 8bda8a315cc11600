#pragma once

#include "places/PlaceIndex.h"
#include "places/PlacesModuleAbi.h"

#include <memory>
#include <string>
#include <vector>

namespace dz {

// The gazetteer of populated places (libgeonames, through the places
// module), opened and indexed on the first call and kept until the process
// ends; null, with `problem` set, when the module or its library is missing
// or holds no place. Safe on any thread; only the first call does the work.
const PlaceIndex* gazetteer(std::string& problem);

// Every place the module holds, copied out; those without a position on the
// Earth are left out. Empty, with `problem` set, when it holds none.
std::vector<Place> copyPlaces(const DzPlacesModule& module, std::string& problem);

// The module opened from the first of `folders` that holds it and its places
// indexed: the work of gazetteer()'s first call, once more each time.
std::unique_ptr<PlaceIndex> loadGazetteer(const std::vector<std::string>& folders, std::string& problem);

}  // namespace dz
