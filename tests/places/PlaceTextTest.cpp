// The naming rule at its two distances, and with an empty region.
#include "places/PlaceText.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

TEST(PlaceText, NamesWithin30KmSaysNearTo100KmAndNothingBeyond) {
    const Place kyoto{"Kyoto", "Kyoto", "Japan", "JP", "Asia/Tokyo", 35.0211, 135.7538, 1459640};
    const Place noRegion{"Vaduz", "", "Liechtenstein", "LI", "Europe/Vaduz", 47.1415, 9.5215, 5197};
    const struct {
        const Place* place;
        double distanceKm;
        const char* text;
        const char* shortText;
    } cases[] = {
        {&kyoto, 0.0, "Kyoto, Kyoto, Japan", "Kyoto"},
        {&kyoto, 30.0, "Kyoto, Kyoto, Japan", "Kyoto"},
        {&kyoto, 30.5, "near Kyoto, Kyoto, Japan", "near Kyoto"},
        {&kyoto, 100.0, "near Kyoto, Kyoto, Japan", "near Kyoto"},
        {&kyoto, 100.5, "", ""},
        {&noRegion, 3.0, "Vaduz, Liechtenstein", "Vaduz"},
        {nullptr, 0.0, "", ""},
    };
    for (const auto& c : cases) {
        const PlaceMatch match{c.place, c.distanceKm};
        EXPECT_EQ(placeText(match), c.text) << c.distanceKm;
        EXPECT_EQ(placeShortText(match), c.shortText) << c.distanceKm;
    }
}

}  // namespace
}  // namespace dz
