#pragma once

#include "image/CRaster.h"

namespace dz {

// Turns a decoded frame clockwise by `quarterTurns` quarter turns, in place.
// False, the frame as it was, when the turned copy cannot be made. Frames
// carry no alpha plane; one would not be turned with them.
bool turnClockwise(CRaster& frame, int quarterTurns);

}  // namespace dz
