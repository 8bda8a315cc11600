#pragma once

#include "app/AppState.h"

namespace dz {

// Puts the catalogue on the one timeline when the session keeps one and
// something tells a zone; else it keeps the keys of its shot times.
void applyTimeline(AppState& state);

// The same once the choice or a camera's clock changed: each album's ends
// then follow the pictures it holds.
void retimeCatalogue(AppState& state);

}  // namespace dz
