#include "exif/ExifValueTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dz {
namespace {

struct NameCase {
    int code;
    const char* text;
};

TEST(ExifValueTexts, MeteringModeNames) {
    for (const NameCase& c : std::vector<NameCase>{{1, "average"}, {2, "center weight"}, {3, "spot"},
                                                   {4, "multispot"}, {5, "matrix"}, {6, "partial"},
                                                   {7, "unkown"}, {255, "unkown"}, {-1, "unkown"}}) {
        EXPECT_EQ(meteringModeName(c.code), c.text) << c.code;
    }
}

TEST(ExifValueTexts, ExposureProgramNames) {
    for (const NameCase& c : std::vector<NameCase>{{1, "manual"},
                                                   {2, "program (auto)"},
                                                   {3, "aperture priority (semi-auto)"},
                                                   {4, "shutter priority (semi-auto)"},
                                                   {5, "creative program"},
                                                   {6, "action program"},
                                                   {7, "portrait mode"},
                                                   {8, "landscape mode"},
                                                   {9, "unkown"}}) {
        EXPECT_EQ(exposureProgramName(c.code), c.text) << c.code;
    }
}

TEST(ExifValueTexts, WhitebalanceNames) {
    for (const NameCase& c : std::vector<NameCase>{{1, "sunny"}, {2, "fluorescent"}, {3, "incandescent"},
                                                   {4, "cloudy"}, {255, "cloudy"}, {-3, "cloudy"}}) {
        EXPECT_EQ(whitebalanceName(c.code), c.text) << c.code;
    }
}

TEST(ExifValueTexts, EncodingNames) {
    const std::vector<NameCase> cases = {
        {0xC0, "Baseline"},
        {0xC1, "Extended sequential"},
        {0xC2, "Progressive"},
        {0xC3, "Lossless"},
        {0xC5, "Differential sequential"},
        {0xC6, "Differential progressive"},
        {0xC7, "Differential lossless"},
        {0xC9, "Extended sequential, arithmetic coding"},
        {0xCA, "Progressive, arithmetic coding"},
        {0xCB, "Lossless, arithmetic coding"},
        {0xCD, "Differential sequential, arithmetic coding"},
        {0xCE, "Differential progressive, arithmetic coding"},
        {0xCF, "Differential lossless, arithmetic coding"},
        {0xC4, "Unknown"},
        {0xC8, "Unknown"},
        {0xCC, "Unknown"},
        {0, "Unknown"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(encodingName(c.code), c.text) << c.code;
    }
}

TEST(ExifValueTexts, NumberTexts) {
    struct Case {
        std::string actual;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {sizeText(640, 480), "640 x 480"},
        {focalLengthText(5.8f), " 5.8mm"},
        {focalLengthText(135), "135.0mm"},
        {resolutionText(72, 72), " 72.0, 72.0"},
        {resolutionText(300, 28.35f), "300.0, 28.4"},
        {exposureTimeText(0.008f), "(1/125)~ 0.008s"},
        {exposureTimeText(0.5f), "(1/2)~ 0.500s"},
        {exposureTimeText(1.0f / 3), "(1/3)~ 0.333s"},
        {exposureTimeText(0.6f), " 0.600s"},
        {exposureTimeText(15), "15.000s"},
        {apertureText(2.8f), "f/2.8"},
        {apertureText(11), "f/11.0"},
        {isoText(100), "100"},
        {isoText(5), " 5"},
        {focusDistanceText(-1), "Infinite"},
        {focusDistanceText(1.5f), "1.50m"},
        {focusDistanceText(12.345f), "12.35m"},
        {focusDistanceText(0), ""},
        {exposureBiasText(-0.67f), "-0.67"},
        {exposureBiasText(0), "0.00"},
        {exposureBiasText(1), "1.00"},
        {flashText(1), "Yes"},
        {flashText(0), "No"},
        {cameraText("NIKON D70"), "NIKON D70"},
        {cameraText("100%s"), "100%s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(ExifValueTexts, ExposureFractionIsTheNearestInteger) {
    EXPECT_EQ(exposureFraction(0.008f), 125);
    EXPECT_EQ(exposureFraction(1.0f / 3), 3);
    EXPECT_EQ(exposureFraction(0.0003f), 3333);
    // Values no camera writes still give a number instead of overflowing.
    EXPECT_EQ(exposureFraction(1e-30f), 2147483647);
    EXPECT_EQ(exposureFraction(0.0f), 2147483647);
}

}  // namespace
}  // namespace dz
