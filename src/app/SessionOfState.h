#pragma once

#include "app/AppState.h"
#include "app/SessionFile.h"

namespace dz {

// The session of the moment. Leaves the catalogue in date order; the removed
// duplicates join the picture records on a list of their own, so the
// catalogue itself never holds them.
SessionFile takeSession(AppState& state);

}  // namespace dz
