#include "ImageWriters.h"
#include "image/CRaster.h"
#include "image/Thumbnail.h"
#include "image/ThumbnailFit.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

using Kind = ThumbnailFit::Kind;

struct FitCase {
    int sourceWidth;
    int sourceHeight;
    int boxWidth;
    int boxHeight;
    ThumbnailFit expected;
};

class ThumbnailFitTable : public testing::TestWithParam<FitCase> {};

TEST_P(ThumbnailFitTable, PlacesThePictureInTheBox) {
    const FitCase& c = GetParam();
    EXPECT_EQ(fitThumbnail(c.sourceWidth, c.sourceHeight, c.boxWidth, c.boxHeight), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Film, ThumbnailFitTable,
    testing::Values(FitCase{160, 120, 160, 120, {Kind::Unchanged, 160, 120, 0, 0}},
                    FitCase{160, 107, 160, 120, {Kind::Stretch, 160, 120, 0, 0}},
                    FitCase{160, 600, 160, 120, {Kind::Stretch, 160, 120, 0, 0}},
                    FitCase{120, 160, 160, 120, {Kind::Centred, 90, 120, 35, 0}},      // portrait
                    FitCase{1500, 1000, 160, 120, {Kind::Centred, 160, 106, 0, 7}},    // 3:2
                    FitCase{640, 480, 160, 120, {Kind::Centred, 160, 120, 0, 0}},      // exactly 4/3
                    FitCase{100, 75, 160, 120, {Kind::Centred, 160, 120, 0, 0}},       // small, grown
                    FitCase{100, 66, 160, 120, {Kind::Centred, 160, 105, 0, 8}},       // 160/1.5151 = 105.6
                    FitCase{59, 100, 160, 120, {Kind::Centred, 70, 120, 45, 0}},       // 0.59 x 120 = 70.8
                    FitCase{1999, 1500, 160, 120, {Kind::Centred, 159, 120, 1, 0}},    // just under 4/3
                    FitCase{3000, 1000, 160, 120, {Kind::Centred, 160, 53, 0, 34}},    // 60 - 26
                    FitCase{5000, 1, 160, 120, {Kind::Centred, 160, 1, 0, 60}},        // kept one row high
                    FitCase{1, 5000, 160, 120, {Kind::Centred, 1, 120, 80, 0}}));

INSTANTIATE_TEST_SUITE_P(
    LargeViewer, ThumbnailFitTable,
    testing::Values(FitCase{640, 480, 640, 480, {Kind::Unchanged, 640, 480, 0, 0}},
                    FitCase{3000, 2000, 640, 480, {Kind::Centred, 640, 426, 0, 27}},
                    FitCase{450, 600, 640, 480, {Kind::Centred, 360, 480, 140, 0}},
                    FitCase{2048, 1536, 640, 480, {Kind::Centred, 640, 480, 0, 0}}));

bool isBlack(const test::Bgr& p) {
    return p == test::Bgr{0, 0, 0};
}

CRaster whitePicture(int width, int height) {
    CRaster image;
    image.createBlank(width, height, 24);
    image.fill(255);
    return image;
}

TEST(MakeThumbnail, BoxSizedPictureIsUsedUnchanged) {
    const CRaster source = test::patternImage(160, 120);
    EXPECT_TRUE(test::samePixels(makeThumbnail(source, 160, 120), source));
}

TEST(MakeThumbnail, BoxWidthIsStretchedToTheBox) {
    const CRaster thumbnail = makeThumbnail(whitePicture(160, 107), 160, 120);
    ASSERT_TRUE(thumbnail.isValid());
    EXPECT_EQ(thumbnail.width(), 160);
    EXPECT_EQ(thumbnail.height(), 120);
    EXPECT_FALSE(isBlack(test::pixelAt(thumbnail, 80, 0)));
    EXPECT_FALSE(isBlack(test::pixelAt(thumbnail, 80, 119)));
}

TEST(MakeThumbnail, PortraitGetsBlackSideBars) {
    const CRaster thumbnail = makeThumbnail(whitePicture(120, 160), 160, 120);
    ASSERT_TRUE(thumbnail.isValid());
    ASSERT_EQ(thumbnail.width(), 160);
    ASSERT_EQ(thumbnail.height(), 120);
    EXPECT_EQ(thumbnail.bitsPerPixel(), 24);
    for (int y : {0, 60, 119}) {
        EXPECT_TRUE(isBlack(test::pixelAt(thumbnail, 34, y)));
        EXPECT_FALSE(isBlack(test::pixelAt(thumbnail, 35, y)));
        EXPECT_FALSE(isBlack(test::pixelAt(thumbnail, 124, y)));
        EXPECT_TRUE(isBlack(test::pixelAt(thumbnail, 125, y)));
    }
}

TEST(MakeThumbnail, ThreeToTwoHasSevenBlackRowsAbove) {
    const CRaster thumbnail = makeThumbnail(whitePicture(1500, 1000), 160, 120);
    ASSERT_TRUE(thumbnail.isValid());
    for (int x : {0, 80, 159}) {
        EXPECT_TRUE(isBlack(test::pixelAt(thumbnail, x, 6)));
        EXPECT_FALSE(isBlack(test::pixelAt(thumbnail, x, 7)));
        EXPECT_FALSE(isBlack(test::pixelAt(thumbnail, x, 112)));  // 7 + 106 - 1
        EXPECT_TRUE(isBlack(test::pixelAt(thumbnail, x, 113)));
    }
}

TEST(MakeThumbnail, KeepsTheTopOfThePictureAtTheTop) {
    // Top half red, bottom half blue.
    CRaster source;
    ASSERT_TRUE(source.createBlank(300, 200, 24));
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            source.topDownRow(y)[3 * x + (y < 100 ? 2 : 0)] = 255;
        }
    }
    const CRaster thumbnail = makeThumbnail(source, 160, 120);
    EXPECT_EQ(test::pixelAt(thumbnail, 80, 10), (test::Bgr{0, 0, 255}));
    EXPECT_EQ(test::pixelAt(thumbnail, 80, 110), (test::Bgr{255, 0, 0}));
}

TEST(MakeThumbnail, GreySourceComesOutColour) {
    CRaster grey;
    ASSERT_TRUE(grey.createBlank(64, 64, 8));
    grey.fill(99);
    const CRaster thumbnail = makeThumbnail(grey, 160, 120);
    ASSERT_TRUE(thumbnail.isValid());
    EXPECT_EQ(thumbnail.bitsPerPixel(), 24);
    EXPECT_EQ(test::pixelAt(thumbnail, 80, 60), (test::Bgr{99, 99, 99}));
}

TEST(MakeThumbnail, InvalidSourceGivesAnInvalidThumbnail) {
    EXPECT_FALSE(makeThumbnail(CRaster(), 160, 120).isValid());
}

}  // namespace
}  // namespace dz
