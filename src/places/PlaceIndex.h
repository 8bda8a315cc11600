#pragma once

#include "places/Place.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dz {

// The place nearest a position, with its great-circle distance; no place
// when the index is empty or the position is no position.
struct PlaceMatch {
    const Place* place = nullptr;
    double distanceKm = 0.0;
};

// The nearest-place look-up over a fixed set of places. A k-d tree over the
// places as points of the unit sphere in 3-D: the straight (chord) distance
// grows with the great-circle distance, so the nearest by chord is the
// nearest on the Earth, with no seam at the 180th meridian and none at the
// poles. Immutable once built, so any number of threads may ask at once.
class PlaceIndex {
public:
    explicit PlaceIndex(std::vector<Place> places);

    // The nearest place to (latitude, longitude) in degrees; every longitude
    // is taken modulo 360, a latitude outside [-90, 90] or not finite gives
    // no place.
    PlaceMatch nearest(double latitude, double longitude) const;

    const std::vector<Place>& places() const { return places_; }

private:
    // A place as a point of the unit sphere, in the tree's order.
    struct Point {
        double v[3] = {0.0, 0.0, 0.0};  // x, y, z
        std::uint32_t place = 0;        // its index in places_
    };
    // The split of the range [begin, end) of points_, at its middle point;
    // ranges of kBucket points or fewer are leaves, scanned whole.
    static constexpr std::size_t kBucket = 8;

    void build(std::size_t begin, std::size_t end);
    void search(std::size_t begin, std::size_t end, const double query[3], double& bestSquared,
                std::uint32_t& best) const;

    std::vector<Place> places_;
    std::vector<Point> points_;
    std::vector<std::uint8_t> axes_;  // the split axis of the range whose middle point is at each position
};

}  // namespace dz
