#pragma once

#include "image/CRaster.h"

namespace dz {

// Draws the "no picture" mark over a valid image of any size: a light grey
// field, a dark grey frame two pixels wide and a crossed-out box in the
// middle, so a failed thumbnail is plain to see on the film.
void drawPlaceholder(CRaster& image);

}  // namespace dz
