#include "places/PlaceIndex.h"

#include "places/GreatCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dz {

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

void unitVector(double latitude, double longitude, double out[3]) {
    const double phi = latitude * kRadians;
    const double lambda = longitude * kRadians;
    out[0] = std::cos(phi) * std::cos(lambda);
    out[1] = std::cos(phi) * std::sin(lambda);
    out[2] = std::sin(phi);
}

// The great-circle distance on the Earth of a chord of the unit sphere.
double chordToKm(double chordSquared) {
    const double half = std::sqrt(chordSquared) / 2.0;
    return 2.0 * kEarthRadiusKm * std::asin(std::min(half, 1.0));
}

}  // namespace

PlaceIndex::PlaceIndex(std::vector<Place> places) : places_(std::move(places)) {
    points_.reserve(places_.size());
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const Place& place = places_[i];
        if (!std::isfinite(place.latitude) || !std::isfinite(place.longitude)) {
            continue;
        }
        Point point;
        unitVector(place.latitude, place.longitude, point.v);
        point.place = static_cast<std::uint32_t>(i);
        points_.push_back(point);
    }
    axes_.assign(points_.size(), 0);
    build(0, points_.size());
}

void PlaceIndex::build(std::size_t begin, std::size_t end) {
    if (end - begin <= kBucket) {
        return;
    }
    // Split along the axis the range spreads most on: the cells stay
    // compact on the sphere's shell, where one axis is nearly flat.
    double low[3] = {2.0, 2.0, 2.0};
    double high[3] = {-2.0, -2.0, -2.0};
    for (std::size_t i = begin; i < end; ++i) {
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], points_[i].v[a]);
            high[a] = std::max(high[a], points_[i].v[a]);
        }
    }
    std::uint8_t axis = 0;
    for (std::uint8_t a = 1; a < 3; ++a) {
        if (high[a] - low[a] > high[axis] - low[axis]) {
            axis = a;
        }
    }
    const std::size_t middle = begin + (end - begin) / 2;
    std::nth_element(points_.begin() + static_cast<std::ptrdiff_t>(begin),
                     points_.begin() + static_cast<std::ptrdiff_t>(middle),
                     points_.begin() + static_cast<std::ptrdiff_t>(end), [axis](const Point& a, const Point& b) { return a.v[axis] < b.v[axis]; });
    axes_[middle] = axis;
    build(begin, middle);
    build(middle + 1, end);
}

void PlaceIndex::search(std::size_t begin, std::size_t end, const double query[3], double& bestSquared,
                        std::uint32_t& best) const {
    const auto consider = [&](const Point& p) {
        const double dx = p.v[0] - query[0];
        const double dy = p.v[1] - query[1];
        const double dz = p.v[2] - query[2];
        const double squared = dx * dx + dy * dy + dz * dz;
        if (squared < bestSquared) {
            bestSquared = squared;
            best = p.place;
        }
    };
    if (end - begin <= kBucket) {
        for (std::size_t i = begin; i < end; ++i) {
            consider(points_[i]);
        }
        return;
    }
    const std::size_t middle = begin + (end - begin) / 2;
    const Point& split = points_[middle];
    consider(split);
    const std::uint8_t axis = axes_[middle];
    const double gap = query[axis] - split.v[axis];
    const bool lowSideFirst = gap < 0.0;
    if (lowSideFirst) {
        search(begin, middle, query, bestSquared, best);
    } else {
        search(middle + 1, end, query, bestSquared, best);
    }
    // Every point beyond the split plane is at least `gap` away from the
    // query along the axis, so that side can hold a nearer one only when the
    // plane itself is nearer than the best so far.
    if (gap * gap < bestSquared) {
        if (lowSideFirst) {
            search(middle + 1, end, query, bestSquared, best);
        } else {
            search(begin, middle, query, bestSquared, best);
        }
    }
}

PlaceMatch PlaceIndex::nearest(double latitude, double longitude) const {
    if (points_.empty() || !std::isfinite(latitude) || !std::isfinite(longitude) || latitude < -90.0 ||
        latitude > 90.0) {
        return {};
    }
    double query[3];
    unitVector(latitude, longitude, query);
    // Farther than any two points of the unit sphere can be (chord 2).
    double bestSquared = 5.0;
    std::uint32_t best = 0;
    search(0, points_.size(), query, bestSquared, best);
    return {&places_[best], chordToKm(bestSquared)};
}

}  // namespace dz
