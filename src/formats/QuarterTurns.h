#pragma once

namespace dz {

// Clockwise quarter turns (0 to 3) that show a frame upright, from the
// counter-clockwise angle a movie's display matrix states; 0 for no angle
// (NaN) and for angles that are no multiple of 90 degrees.
int clockwiseQuarterTurns(double counterClockwiseDegrees);

}  // namespace dz
