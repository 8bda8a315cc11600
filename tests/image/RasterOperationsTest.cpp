#include "ImageWriters.h"
#include "image/CRaster.h"

#include <gtest/gtest.h>

#include <climits>

namespace dz {
namespace {

using test::Bgr;
using test::pixelAt;

// A 24-bit picture with the given top-down pixels.
CRaster pictureOf(int width, int height, std::initializer_list<Bgr> pixels) {
    CRaster image;
    image.createBlank(width, height, 24);
    int i = 0;
    for (const Bgr& p : pixels) {
        std::uint8_t* d = image.topDownRow(i / width) + 3 * (i % width);
        d[0] = static_cast<std::uint8_t>(p.blue);
        d[1] = static_cast<std::uint8_t>(p.green);
        d[2] = static_cast<std::uint8_t>(p.red);
        ++i;
    }
    return image;
}

TEST(RasterCreate, EmptyImageIsInvalid) {
    const CRaster image;
    EXPECT_FALSE(image.isValid());
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.pixels(), nullptr);
}

struct BlankCase {
    int width;
    int height;
    int bits;
    bool valid;
    std::size_t stride;
};

class RasterCreateBlank : public testing::TestWithParam<BlankCase> {};

TEST_P(RasterCreateBlank, MakesBlackPicturesWithPaddedRows) {
    const BlankCase& c = GetParam();
    CRaster image;
    EXPECT_EQ(image.createBlank(c.width, c.height, c.bits), c.valid);
    EXPECT_EQ(image.isValid(), c.valid);
    if (!c.valid) {
        EXPECT_FALSE(image.lastError().empty());
        return;
    }
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.height(), c.height);
    EXPECT_EQ(image.stride(), c.stride);
    ASSERT_EQ(image.pixelBytes(), c.stride * static_cast<std::size_t>(c.height));
    for (std::size_t i = 0; i < image.pixelBytes(); ++i) {
        ASSERT_EQ(image.pixels()[i], 0) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RasterCreateBlank,
                         testing::Values(BlankCase{160, 120, 24, true, 480}, BlankCase{1, 1, 24, true, 4},
                                         BlankCase{5, 2, 24, true, 16}, BlankCase{64, 64, 8, true, 64},
                                         BlankCase{3, 3, 8, true, 4}, BlankCase{0, 10, 24, false, 0},
                                         BlankCase{10, -1, 24, false, 0}, BlankCase{65536, 1, 24, false, 0},
                                         BlankCase{INT_MAX, INT_MAX, 24, false, 0},
                                         BlankCase{60000, 60000, 24, false, 0}, BlankCase{10, 10, 16, false, 0}));

TEST(RasterCreateBlank, RefusesPastTheMemoryLimitWithItsReason) {
    CRaster image;
    EXPECT_FALSE(image.createBlank(100, 100, 24, 100 * 300 - 1));
    EXPECT_EQ(image.lastError(), "image memory limit exceeded");
    EXPECT_TRUE(image.createBlank(100, 100, 24, 100 * 300));
}

TEST(RasterFill, SetsEveryPixelByte) {
    CRaster image;
    ASSERT_TRUE(image.createBlank(7, 3, 24));
    image.fill(0xAB);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(pixelAt(image, x, y), (Bgr{0xAB, 0xAB, 0xAB}));
        }
    }
}

TEST(RasterCopy, IsIndependentAndCarriesSelectionAndAlpha) {
    CRaster original = test::patternImage(6, 4);
    ASSERT_TRUE(original.setAlpha(std::vector<std::uint8_t>(24, 77)));
    original.setSelection({1, 1, 3, 2});
    CRaster copy = original;
    EXPECT_TRUE(test::samePixels(copy, original));
    EXPECT_EQ(copy.selection(), (RasterSelection{1, 1, 3, 2}));
    ASSERT_TRUE(copy.hasAlpha());
    EXPECT_EQ(copy.alphaRow(3)[5], 77);

    copy.negative();
    copy.setSelection({});
    EXPECT_EQ(pixelAt(original, 0, 0), pixelAt(test::patternImage(6, 4), 0, 0));
    EXPECT_EQ(original.selection(), (RasterSelection{1, 1, 3, 2}));
}

TEST(RasterPixelRows, RowZeroIsTheBottomRow) {
    CRaster image = pictureOf(1, 2, {{1, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(image.pixels(), image.pixelRow(0));
    EXPECT_EQ(image.pixelRow(0)[0], 4);  // bottom pixel
    EXPECT_EQ(image.pixelRow(1)[2], 3);  // top pixel's red
    EXPECT_EQ(image.pixelRow(2), nullptr);
    EXPECT_EQ(image.pixelRow(-1), nullptr);
}

TEST(RasterResample, NearestPixelToExactlyTheNewSize) {
    const CRaster source = pictureOf(2, 2, {{10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}});
    CRaster image = source;
    ASSERT_TRUE(image.resample(4, 6));
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 6);
    const int expected[6][4] = {{10, 10, 20, 20}, {10, 10, 20, 20}, {10, 10, 20, 20},
                                {30, 30, 40, 40}, {30, 30, 40, 40}, {30, 30, 40, 40}};
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(pixelAt(image, x, y).blue, expected[y][x]) << x << "," << y;
        }
    }
    ASSERT_TRUE(image.resample(2, 2));
    EXPECT_TRUE(test::samePixels(image, source));
}

TEST(RasterResample, StretchesWithoutKeepingTheAspect) {
    CRaster image = test::patternImage(640, 427);
    ASSERT_TRUE(image.resample(160, 120));
    EXPECT_EQ(image.width(), 160);
    EXPECT_EQ(image.height(), 120);
    ASSERT_TRUE(image.resample(64, 64));
    EXPECT_EQ(image.stride(), 192u);
}

struct BadSize {
    int width;
    int height;
};

class RasterResampleRefuses : public testing::TestWithParam<BadSize> {};

TEST_P(RasterResampleRefuses, LeavesThePictureUnchanged) {
    CRaster image = test::patternImage(8, 8);
    EXPECT_FALSE(image.resample(GetParam().width, GetParam().height));
    EXPECT_FALSE(image.lastError().empty());
    EXPECT_TRUE(test::samePixels(image, test::patternImage(8, 8)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, RasterResampleRefuses,
                         testing::Values(BadSize{0, 120}, BadSize{160, 0}, BadSize{-5, 5}, BadSize{70000, 10},
                                         BadSize{INT_MIN, INT_MAX}, BadSize{60000, 60000}));

TEST(RasterResample, InvalidImageFails) {
    CRaster image;
    EXPECT_FALSE(image.resample(10, 10));
}

TEST(RasterResample, CarriesTheAlphaPlane) {
    CRaster image = pictureOf(2, 1, {{0, 0, 0}, {0, 0, 0}});
    ASSERT_TRUE(image.setAlpha({10, 200}));
    ASSERT_TRUE(image.resample(4, 1));
    ASSERT_TRUE(image.hasAlpha());
    EXPECT_EQ(std::vector<int>(image.alphaRow(0), image.alphaRow(0) + 4), (std::vector<int>{10, 10, 200, 200}));
}

TEST(RasterShrink, AveragesTheCoveredPixels) {
    const CRaster source = pictureOf(4, 2,
                                     {{0, 10, 255}, {100, 20, 255}, {7, 0, 0}, {7, 0, 0},
                                      {200, 30, 255}, {100, 41, 255}, {7, 0, 0}, {9, 0, 0}});
    const CRaster small = source.shrink(2, 1);
    ASSERT_TRUE(small.isValid());
    EXPECT_EQ(small.width(), 2);
    EXPECT_EQ(small.height(), 1);
    // Means 100, 25.25, 255 and 7.5, 0, 0, rounded.
    EXPECT_EQ(pixelAt(small, 0, 0), (Bgr{100, 25, 255}));
    EXPECT_EQ(pixelAt(small, 1, 0), (Bgr{8, 0, 0}));
    EXPECT_TRUE(test::samePixels(source, source.shrink(4, 2)));
}

TEST(RasterShrink, RefusesToGrowOrVanish) {
    const CRaster source = test::patternImage(10, 10);
    EXPECT_FALSE(source.shrink(11, 5).isValid());
    EXPECT_FALSE(source.shrink(0, 5).isValid());
    EXPECT_FALSE(source.shrink(5, -1).isValid());
    EXPECT_FALSE(source.shrink(11, 5).lastError().empty());
    EXPECT_FALSE(CRaster().shrink(1, 1).isValid());
}

TEST(RasterNegative, InvertsColoursAndTwiceIsIdentity) {
    CRaster image = pictureOf(2, 1, {{0, 128, 255}, {1, 2, 3}});
    image.negative();
    EXPECT_EQ(pixelAt(image, 0, 0), (Bgr{255, 127, 0}));
    EXPECT_EQ(pixelAt(image, 1, 0), (Bgr{254, 253, 252}));

    CRaster pattern = test::patternImage(33, 17);
    pattern.negative();
    EXPECT_FALSE(test::samePixels(pattern, test::patternImage(33, 17)));
    pattern.negative();
    EXPECT_TRUE(test::samePixels(pattern, test::patternImage(33, 17)));
}

struct PasteCase {
    const char* name;
    int x;
    int y;
    int expectedPainted;  // pixels of the 10 x 8 target now white
};

class RasterPaste : public testing::TestWithParam<PasteCase> {};

TEST_P(RasterPaste, CopiesOnlyTheOverlap) {
    const PasteCase& c = GetParam();
    CRaster target;
    ASSERT_TRUE(target.createBlank(10, 8, 24));
    CRaster small;
    ASSERT_TRUE(small.createBlank(4, 3, 24));
    small.fill(255);
    target.paste(small, c.x, c.y);
    int painted = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= c.x && x < c.x + 4 && y >= c.y && y < c.y + 3;
            const bool white = pixelAt(target, x, y) == Bgr{255, 255, 255};
            EXPECT_EQ(white, inside) << x << "," << y;
            painted += white ? 1 : 0;
        }
    }
    EXPECT_EQ(painted, c.expectedPainted);
}

INSTANTIATE_TEST_SUITE_P(Offsets, RasterPaste,
                         testing::Values(PasteCase{"inside", 3, 2, 12}, PasteCase{"topLeft", 0, 0, 12},
                                         PasteCase{"overLeftEdge", -2, 1, 6}, PasteCase{"overBottomRight", 8, 6, 4},
                                         PasteCase{"aboveTop", 1, -3, 0}, PasteCase{"pastRight", 10, 0, 0},
                                         PasteCase{"farNegative", INT_MIN, INT_MIN, 0},
                                         PasteCase{"farPositive", INT_MAX, INT_MAX, 0}),
                         [](const testing::TestParamInfo<PasteCase>& info) { return info.param.name; });

TEST(RasterPaste, LargerPictureIsClippedToTheTarget) {
    CRaster target;
    ASSERT_TRUE(target.createBlank(3, 3, 24));
    const CRaster big = test::patternImage(20, 20);
    target.paste(big, -5, -6);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(pixelAt(target, x, y), pixelAt(big, x + 5, y + 6));
        }
    }
}

TEST(RasterPaste, GreyAndColourConvert) {
    CRaster colour;
    ASSERT_TRUE(colour.createBlank(2, 1, 24));
    CRaster grey;
    ASSERT_TRUE(grey.createBlank(1, 1, 8));
    grey.fill(90);
    colour.paste(grey, 1, 0);
    EXPECT_EQ(pixelAt(colour, 1, 0), (Bgr{90, 90, 90}));

    const CRaster red = pictureOf(1, 1, {{0, 0, 200}});
    CRaster greyTarget;
    ASSERT_TRUE(greyTarget.createBlank(1, 1, 8));
    greyTarget.paste(red, 0, 0);
    EXPECT_EQ(greyTarget.pixels()[0], 299 * 200 / 1000);
}

TEST(RasterPlaceholder, IsAValidFramedPicture) {
    const CRaster placeholder = CRaster::placeholder(160, 120);
    ASSERT_TRUE(placeholder.isValid());
    EXPECT_EQ(placeholder.width(), 160);
    EXPECT_EQ(placeholder.height(), 120);
    EXPECT_EQ(placeholder.bitsPerPixel(), 24);
    // The frame is darker than the field inside it.
    EXPECT_LT(pixelAt(placeholder, 0, 0).green, pixelAt(placeholder, 10, 10).green);
    EXPECT_EQ(pixelAt(placeholder, 159, 119), pixelAt(placeholder, 0, 0));
    EXPECT_FALSE(CRaster::placeholder(0, 120).isValid());
    EXPECT_TRUE(CRaster::placeholder(1, 1).isValid());
}

}  // namespace
}  // namespace dz
