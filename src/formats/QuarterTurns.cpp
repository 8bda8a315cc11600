#include "formats/QuarterTurns.h"

#include <cmath>

namespace dz {

int clockwiseQuarterTurns(double counterClockwiseDegrees) {
    if (!std::isfinite(counterClockwiseDegrees) || std::fabs(counterClockwiseDegrees) > 360) {
        return 0;
    }
    const double clockwise = -counterClockwiseDegrees;
    const double quarters = std::round(clockwise / 90);
    // Phones write exact quarter turns; anything else is left as it is.
    if (std::fabs(clockwise - quarters * 90) > 1) {
        return 0;
    }
    return (static_cast<int>(quarters) % 4 + 4) % 4;
}

}  // namespace dz
