#pragma once

#include "timeline/PlaceOfShot.h"

namespace dz {

// A place is trusted for its time zone up to this far: beyond the last
// named place (at sea, off a coast) the zone of the nearest one still holds.
inline constexpr double kZoneWithinKm = 500.0;

// The places of positions from the program's gazetteer. It is opened on the
// first position looked up, so a catalogue without positions never loads it;
// without the gazetteer nothing is known of any position.
PlaceFinder gazetteerPlaceFinder();

}  // namespace dz
