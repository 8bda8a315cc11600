// The k-d tree against a scan of every place, over the real gazetteer's
// places: a wrong pruning rule answers a near place that is not the nearest.
#include "places/PlaceIndex.h"

#include "places/Gazetteer.h"
#include "places/GreatCircle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace dz {
namespace {

void unitVector(double latitude, double longitude, double v[3]) {
    constexpr double radians = std::numbers::pi / 180.0;
    v[0] = std::cos(latitude * radians) * std::cos(longitude * radians);
    v[1] = std::cos(latitude * radians) * std::sin(longitude * radians);
    v[2] = std::sin(latitude * radians);
}

// The nearest by the largest dot product of unit vectors, which orders
// places as the great-circle distance does, by another route than the tree's.
struct Scan {
    explicit Scan(const std::vector<Place>& places) : places(places), vectors(places.size() * 3) {
        for (std::size_t i = 0; i < places.size(); ++i) {
            unitVector(places[i].latitude, places[i].longitude, &vectors[i * 3]);
        }
    }

    const Place* nearest(double latitude, double longitude) const {
        double q[3];
        unitVector(latitude, longitude, q);
        std::size_t best = 0;
        double bestDot = -2.0;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const double dot = vectors[i * 3] * q[0] + vectors[i * 3 + 1] * q[1] + vectors[i * 3 + 2] * q[2];
            if (dot > bestDot) {
                bestDot = dot;
                best = i;
            }
        }
        return &places[best];
    }

    const std::vector<Place>& places;
    std::vector<double> vectors;
};

TEST(PlaceIndex, AnswersTheTrueNearestPlaceEverywhere) {
    std::string problem;
    const PlaceIndex* index = gazetteer(problem);
    ASSERT_NE(index, nullptr) << problem;
    const std::vector<Place>& places = index->places();
    const Scan scan(places);

    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_real_distribution<double> turn(-180.0, 180.0);
    std::uniform_real_distribution<double> nearMeridian(-1.5, 1.5);
    std::uniform_real_distribution<double> nearPole(80.0, 90.0);
    int mismatches = 0;
    for (int i = 0; i < 3000; ++i) {
        // Uniform on the sphere; and one point in four among crowded places,
        // one by the 180th meridian and one by a pole, where a look-up by
        // latitude and longitude errs.
        double latitude = std::asin(unit(random)) * 180.0 / std::numbers::pi;
        double longitude = turn(random);
        if (i % 4 == 1) {
            const Place& place = places[random() % places.size()];
            latitude = std::clamp(place.latitude + unit(random) * 0.3, -90.0, 90.0);
            longitude = place.longitude + unit(random) * 0.3;
        } else if (i % 4 == 2) {
            const double offset = nearMeridian(random);
            longitude = offset < 0.0 ? 180.0 + offset : -180.0 + offset;
        } else if (i % 4 == 3) {
            latitude = unit(random) < 0.0 ? -nearPole(random) : nearPole(random);
        }
        const PlaceMatch match = index->nearest(latitude, longitude);
        const Place* expected = scan.nearest(latitude, longitude);
        ASSERT_NE(match.place, nullptr);
        const double expectedKm =
            greatCircleKm(latitude, longitude, expected->latitude, expected->longitude);
        // Equal distances tie; anything farther is a miss.
        if (std::abs(match.distanceKm - expectedKm) > 1e-6) {
            ++mismatches;
            ADD_FAILURE() << "at " << latitude << ", " << longitude << ": " << match.place->name << " at "
                          << match.distanceKm << " km, but " << expected->name << " at " << expectedKm << " km";
        }
        if (mismatches > 5) {
            break;
        }
    }

    EXPECT_EQ(PlaceIndex({}).nearest(0.0, 0.0).place, nullptr);
    EXPECT_EQ(index->nearest(91.0, 0.0).place, nullptr);
    EXPECT_EQ(index->nearest(std::nan(""), 0.0).place, nullptr);
}

}  // namespace
}  // namespace dz
