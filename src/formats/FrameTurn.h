#pragma once

#include "image/CRaster.h"

namespace dz {

// Clockwise quarter turns (0 to 3) that show a frame upright, from the
// counter-clockwise angle a movie's display matrix states; 0 for no angle
// (NaN) and for angles that are no multiple of 90 degrees.
int clockwiseQuarterTurns(double counterClockwiseDegrees);

// Turns a decoded frame clockwise by that many quarter turns, in place.
// False, the frame as it was, when the turned copy cannot be made. Frames
// carry no alpha plane; one would not be turned with them.
bool turnClockwise(CRaster& frame, int quarterTurns);

}  // namespace dz
