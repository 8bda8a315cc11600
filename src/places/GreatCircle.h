#pragma once

namespace dz {

// The Earth's mean radius, which the gazetteer's distances are measured on.
inline constexpr double kEarthRadiusKm = 6371.0088;

// The great-circle distance in km between two positions in degrees
// (haversine, exact near zero where the cosine formula loses digits).
double greatCircleKm(double latitude1, double longitude1, double latitude2, double longitude2);

}  // namespace dz
