#pragma once

#include "timeline/ShotTime.h"

namespace dz {

// The words `info` and `clocks` print for the sources.
const char* momentSourceWord(MomentSource source);
const char* offsetSourceWord(PlaceOffsetSource source);

}  // namespace dz
