#pragma once

#include "exif/ExifInfo.h"
#include "filter/FilterCriteria.h"

namespace dz {

// Whether one picture passes an album's criteria while its Advanced Filter
// window is open. `shown` are the use flags the window shows (not the stored
// ones). The camera test comes first and applies even when filtering is not
// enabled; then each shown criterion in Criterion order, and the first
// failing test ends the run.
//
// `tested`, when given, notes the tests actually made: `camera` when the
// camera was compared (camera not "All"), a criterion when filtering is
// enabled, its flag is shown, it was reached, and its Max bound is not 0 (its
// choice not -1). A noted test may have failed: it is the last one noted.
// Notes are only ever set, never cleared, so a caller can gather them over a
// whole film by passing the same fresh record for every picture.
bool picturePassesFilter(const FilterCriteria& criteria, const UseFlags& shown, const ExifInfo& picture,
                         TestedCriteria* tested);

// Clears every bound to 0 and every choice to -1; the camera and model, the
// enabled and live-update flags and the use flags stay as they are.
void resetCriteria(FilterCriteria& criteria);

}  // namespace dz
