#include "places/GreatCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dz {

double greatCircleKm(double latitude1, double longitude1, double latitude2, double longitude2) {
    constexpr double radians = std::numbers::pi / 180.0;
    const double halfLatitude = std::sin((latitude2 - latitude1) * radians / 2.0);
    const double halfLongitude = std::sin((longitude2 - longitude1) * radians / 2.0);
    const double h = halfLatitude * halfLatitude +
                     std::cos(latitude1 * radians) * std::cos(latitude2 * radians) * halfLongitude * halfLongitude;
    // Rounding may carry h a hair past 1 for antipodes.
    return 2.0 * kEarthRadiusKm * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

}  // namespace dz
