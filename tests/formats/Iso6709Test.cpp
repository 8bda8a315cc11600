// ISO 6709 texts as phones and cameras write them into their movies; the
// values were worked out by hand from the texts.
#include "formats/Iso6709.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dz {
namespace {

TEST(Iso6709, ReadsTheFormsPhonesWriteAndNothingElse) {
    struct Case {
        const char* text;
        bool known;
        double latitude;
        double longitude;
        std::optional<double> altitude;
    };
    const std::vector<Case> cases = {
        {"+35.0116+135.7681+045.000/", true, 35.0116, 135.7681, 45.0},
        {"+35.0116+135.7681/", true, 35.0116, 135.7681, std::nullopt},
        {"-33.8688-070.5000-012.5/", true, -33.8688, -70.5, -12.5},
        {"+00+000/", true, 0, 0, std::nullopt},
        {"+90.0000-180.0000/", true, 90, -180, std::nullopt},
        // Degrees and minutes, then degrees, minutes and seconds.
        {"+3500.696+13546.086/", true, 35 + 0.696 / 60, 135 + 46.086 / 60, std::nullopt},
        {"+350041.76-1354605.16+10/", true, 35 + 41.76 / 3600, -(135 + 46 / 60.0 + 5.16 / 3600), 10.0},
        {"+40.20361-075.00417CRSWGS_84/", true, 40.20361, -75.00417, std::nullopt},
        {"+35.0116+135.7681/\n", true, 35.0116, 135.7681, std::nullopt},
        // Cut short, garbage, out of range.
        {"", false, 0, 0, std::nullopt},
        {"/", false, 0, 0, std::nullopt},
        {"+35.0116+135.7681", false, 0, 0, std::nullopt},
        {"+35.0116+135.76", false, 0, 0, std::nullopt},
        {"+35.0116+135.7681+045.0", false, 0, 0, std::nullopt},
        {"+35.0116/", false, 0, 0, std::nullopt},
        {"+35.0116+/", false, 0, 0, std::nullopt},
        {"+35.0116+135.7681+/", false, 0, 0, std::nullopt},
        {"+35.+135.7681/", false, 0, 0, std::nullopt},
        {"35.0116+135.7681/", false, 0, 0, std::nullopt},
        {"+5.0116+135.7681/", false, 0, 0, std::nullopt},
        {"+35.0116+35.7681/", false, 0, 0, std::nullopt},
        {"+135.7681+35.0116/", false, 0, 0, std::nullopt},
        {"+90.0001+000.0000/", false, 0, 0, std::nullopt},
        {"+00.0000+180.5/", false, 0, 0, std::nullopt},
        {"+3560.0+13500.0/", false, 0, 0, std::nullopt},
        {"+350060+1350000/", false, 0, 0, std::nullopt},
        {"+35.0116+135.7681+1234567/", false, 0, 0, std::nullopt},
        {"+35.0116+135.7681/+36.0+136.0/", false, 0, 0, std::nullopt},
        {"+35.0116 +135.7681/", false, 0, 0, std::nullopt},
        {"hello", false, 0, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        const ShotPosition p = positionOfIso6709(c.text);
        EXPECT_EQ(p.known, c.known) << c.text;
        EXPECT_NEAR(p.latitude, c.latitude, 1e-12) << c.text;
        EXPECT_NEAR(p.longitude, c.longitude, 1e-12) << c.text;
        EXPECT_EQ(p.hasAltitude, c.altitude.has_value()) << c.text;
        EXPECT_NEAR(p.altitude, c.altitude.value_or(0), 1e-12) << c.text;
    }
    // Bytes after the text's end are not read: a view cut before its "/".
    const std::string whole = "+35.0116+135.7681/";
    EXPECT_FALSE(positionOfIso6709(std::string_view(whole).substr(0, whole.size() - 1)).known);
}

}  // namespace
}  // namespace dz
