// Real positions named through the real gazetteer (libgeonames, through the
// places module built beside this test). The expected distances were worked
// out apart from the program, by haversine over the cities' listed positions.
#include "places/Gazetteer.h"

#include "places/PlaceText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace dz {
namespace {

TEST(Gazetteer, NamesRealPositionsWithTheNearestPlaceAndItsZone) {
    std::string problem;
    const PlaceIndex* index = gazetteer(problem);
    ASSERT_NE(index, nullptr) << problem;
    // libgeonames holds about 24,000 cities of 15,000 people or more.
    EXPECT_GT(index->places().size(), 20000u);

    const struct {
        const char* what;
        double latitude;
        double longitude;
        const char* name;
        const char* zone;
        double distanceKm;
        const char* text;
    } cases[] = {
        {"central Kyoto", 35.0116, 135.7681, "Kyoto", "Asia/Tokyo", 1.68, "Kyoto, Kyoto, Japan"},
        // Spain and Portugal keep clocks an hour apart.
        {"Badajoz, Spanish side", 38.87, -7.0, "Badajoz", "Europe/Madrid", 2.69, "Badajoz, Extremadura, Spain"},
        {"Portalegre, Portuguese side", 39.29, -7.40, "Portalegre", "Europe/Lisbon", 2.72,
         "Portalegre, Portalegre, Portugal"},
        {"Tijuana, Mexican side", 32.52, -117.01, "Tijuana", "America/Tijuana", 2.01,
         "Tijuana, Free and Sovereign State of Baja California, Mexico"},
        {"Imperial Beach, US side", 32.60, -117.08, "Imperial Beach", "America/Los_Angeles", 3.58,
         "Imperial Beach, California, United States of America"},
        {"Enschede, Dutch side", 52.215, 6.93, "Enschede", "Europe/Amsterdam", 2.36,
         "Enschede, Overijssel, Netherlands"},
        {"Gronau, German side", 52.213, 7.01, "Gronau", "Europe/Berlin", 0.87,
         "Gronau, North Rhine-Westphalia, Germany"},
        // West of the 180th meridian, the nearest place lies east of it.
        {"sea off Vanua Levu", -16.43, -179.8, "Labasa", "Pacific/Fiji", 89.11, "near Labasa, Northern, Fiji"},
        // Suva across the meridian, not Nuku'alofa on this side of it.
        {"sea south of Fiji", -19.5, -179.9, "Suva", "Pacific/Fiji", 230.83, ""},
        {"mid-Pacific", 0.0, -140.0, "Papeete", "Pacific/Tahiti", 2213.29, ""},
        {"by the North Pole", 89.9, -170.0, "Longyearbyen", "Arctic/Longyearbyen", 1320.58, ""},
        {"by the South Pole", -89.9, 0.0, "Ushuaia", "America/Argentina/Ushuaia", 3908.77, ""},
    };
    for (const auto& c : cases) {
        const PlaceMatch match = index->nearest(c.latitude, c.longitude);
        ASSERT_NE(match.place, nullptr) << c.what;
        EXPECT_EQ(match.place->name, c.name) << c.what;
        EXPECT_EQ(match.place->zone, c.zone) << c.what;
        EXPECT_NEAR(match.distanceKm, c.distanceKm, 0.05) << c.what;
        EXPECT_EQ(placeText(match), c.text) << c.what;
    }
}

// Whether a library whose file name holds `name` is mapped into this process.
bool mapped(const char* name) {
    std::ifstream maps("/proc/self/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str().find(name) != std::string::npos;
}

TEST(Gazetteer, LoadsLibgeonamesAndGlibOnlyOnFirstUse) {
    // A fresh process of its own, so that no other case has opened it yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool before = mapped("libgeonames") || mapped("libglib");
            std::string problem;
            const bool opened = gazetteer(problem) != nullptr;
            std::exit(!before && opened && mapped("libgeonames") ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace dz
