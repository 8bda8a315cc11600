#include "ImageWriters.h"
#include "image/CRaster.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace dz {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A BMP file with an info header, `bits` per pixel and a palette of
// `colours` entries (entry i: blue i, green 2i, red 255 - i), then `pixels`.
Bytes bmpFile(std::int32_t width, std::int32_t height, int bits, int colours, const Bytes& pixels) {
    Bytes b(54 + 4 * static_cast<std::size_t>(colours), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, static_cast<std::uint32_t>(b.size()));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<std::uint32_t>(bits));
    put32(b, 46, static_cast<std::uint32_t>(colours));
    for (int i = 0; i < colours; ++i) {
        b[54 + 4 * i] = static_cast<std::uint8_t>(i);
        b[55 + 4 * i] = static_cast<std::uint8_t>(2 * i);
        b[56 + 4 * i] = static_cast<std::uint8_t>(255 - i);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

CRaster decode(const Bytes& bytes, ImageFormat format = ImageFormat::Detect) {
    CRaster image;
    image.decodeMemory(bytes.data(), bytes.size(), format);
    return image;
}

TEST(BmpEncode, WritesTheHeaderFieldsAndBottomUpPaddedRows) {
    const CRaster image = test::patternImage(5, 3);
    const Bytes bmp = image.encodeBmp();
    const std::size_t stride = 16;  // 15 pixel bytes padded to 16
    ASSERT_EQ(bmp.size(), 54 + stride * 3);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), 5u);
    EXPECT_EQ(le32(bmp, 22), 3u);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(le32(bmp, 30), 0u);
    EXPECT_EQ(le32(bmp, 34), stride * 3);
    // First row in the file is the bottom one of the picture.
    const test::Bgr bottomLeft = test::pixelAt(image, 0, 2);
    EXPECT_EQ((test::Bgr{bmp[54], bmp[55], bmp[56]}), bottomLeft);
    EXPECT_EQ(bmp[54 + 15], 0);  // padding
}

TEST(BmpEncode, InvalidImageGivesNothing) {
    EXPECT_TRUE(CRaster().encodeBmp().empty());
}

class BmpRoundTrip : public testing::TestWithParam<int> {};

TEST_P(BmpRoundTrip, DecodesWhatWasEncoded) {
    const int width = GetParam();
    const CRaster image = test::patternImage(width, 7);
    const Bytes bmp = image.encodeBmp();
    const CRaster back = decode(bmp, ImageFormat::Bmp);
    ASSERT_TRUE(back.isValid()) << back.lastError();
    EXPECT_EQ(back.sourceFormat(), ImageFormat::Bmp);
    EXPECT_TRUE(test::samePixels(back, image));
}

INSTANTIATE_TEST_SUITE_P(Widths, BmpRoundTrip, testing::Values(1, 2, 3, 4, 5, 160));

TEST(BmpEncode, GreyPicturesBecomeColour) {
    CRaster grey;
    ASSERT_TRUE(grey.createBlank(3, 2, 8));
    grey.fill(66);
    const CRaster back = decode(grey.encodeBmp());
    ASSERT_TRUE(back.isValid());
    EXPECT_EQ(back.bitsPerPixel(), 24);
    EXPECT_EQ(test::pixelAt(back, 2, 1), (test::Bgr{66, 66, 66}));
}

TEST(BmpDecode, PalettedEightBitsBottomUpAndTopDown) {
    // 3 x 2, rows padded to 4 bytes; file rows: 1 2 3 then 4 5 6.
    const Bytes rows = {1, 2, 3, 0, 4, 5, 6, 0};
    const CRaster bottomUp = decode(bmpFile(3, 2, 8, 8, rows));
    ASSERT_TRUE(bottomUp.isValid()) << bottomUp.lastError();
    EXPECT_EQ(test::pixelAt(bottomUp, 0, 1), (test::Bgr{1, 2, 254}));  // first file row at the bottom
    EXPECT_EQ(test::pixelAt(bottomUp, 2, 0), (test::Bgr{6, 12, 249}));

    const CRaster topDown = decode(bmpFile(3, -2, 8, 8, rows));
    ASSERT_TRUE(topDown.isValid()) << topDown.lastError();
    EXPECT_EQ(test::pixelAt(topDown, 0, 0), (test::Bgr{1, 2, 254}));
    EXPECT_EQ(test::pixelAt(topDown, 2, 1), (test::Bgr{6, 12, 249}));
}

TEST(BmpDecode, OneAndFourBitPixels) {
    const CRaster mono = decode(bmpFile(10, 1, 1, 2, {0b10100000, 0b01000000, 0, 0}));
    ASSERT_TRUE(mono.isValid()) << mono.lastError();
    const int expected[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(test::pixelAt(mono, x, 0).blue, expected[x]) << x;
    }
    const CRaster nibbles = decode(bmpFile(3, 1, 4, 16, {0x5F, 0x20, 0, 0}));
    ASSERT_TRUE(nibbles.isValid()) << nibbles.lastError();
    EXPECT_EQ(test::pixelAt(nibbles, 0, 0).blue, 5);
    EXPECT_EQ(test::pixelAt(nibbles, 1, 0).blue, 15);
    EXPECT_EQ(test::pixelAt(nibbles, 2, 0).blue, 2);
}

TEST(BmpDecode, IndexPastTheUsedColoursIsBlack) {
    const CRaster image = decode(bmpFile(1, 1, 8, 2, {200, 0, 0, 0}));
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(test::pixelAt(image, 0, 0), (test::Bgr{0, 0, 0}));
}

TEST(BmpDecode, LastRowMayLackItsPadding) {
    Bytes bmp = test::patternImage(5, 2).encodeBmp();
    bmp.pop_back();
    const CRaster image = decode(bmp);
    ASSERT_TRUE(image.isValid()) << image.lastError();
    EXPECT_TRUE(test::samePixels(image, test::patternImage(5, 2)));
}

struct HostileCase {
    const char* name;
    void (*spoil)(Bytes&);
};

class BmpHostileHeader : public testing::TestWithParam<HostileCase> {};

TEST_P(BmpHostileHeader, IsRefusedWithoutReadingOutside) {
    Bytes bmp = test::patternImage(4, 4).encodeBmp();
    GetParam().spoil(bmp);
    const CRaster image = decode(bmp, ImageFormat::Bmp);
    EXPECT_FALSE(image.isValid());
    EXPECT_FALSE(image.lastError().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BmpHostileHeader,
    testing::Values(HostileCase{"hugeWidth", [](Bytes& b) { put32(b, 18, 0x7FFFFFFF); }},
                    HostileCase{"widthPastTheData", [](Bytes& b) { put32(b, 18, 5000); }},
                    HostileCase{"negativeWidth", [](Bytes& b) { put32(b, 18, 0xFFFFFFFC); }},
                    HostileCase{"zeroWidth", [](Bytes& b) { put32(b, 18, 0); }},
                    HostileCase{"mostNegativeHeight", [](Bytes& b) { put32(b, 22, 0x80000000u); }},
                    HostileCase{"hugeNegativeHeight", [](Bytes& b) { put32(b, 22, 0x80000001u); }},
                    HostileCase{"zeroHeight", [](Bytes& b) { put32(b, 22, 0); }},
                    HostileCase{"offsetPastTheEnd", [](Bytes& b) { put32(b, 10, 0xFFFFFFF0u); }},
                    HostileCase{"offsetJustPastTheEnd", [](Bytes& b) { put32(b, 10, static_cast<std::uint32_t>(b.size())); }},
                    HostileCase{"offsetInsideTheFileHeader", [](Bytes& b) { put32(b, 10, 2); }},
                    HostileCase{"headerSizeTooSmall", [](Bytes& b) { put32(b, 14, 39); }},
                    HostileCase{"twoPlanes", [](Bytes& b) { put16(b, 26, 2); }},
                    HostileCase{"sixteenBits", [](Bytes& b) { put16(b, 28, 16); }},
                    HostileCase{"absurdBits", [](Bytes& b) { put16(b, 28, 0xFFFF); }},
                    HostileCase{"runLengthCompressed", [](Bytes& b) { put32(b, 30, 1); }},
                    HostileCase{"eightBitsWithoutPalette", [](Bytes& b) { put16(b, 28, 8); put32(b, 46, 0); b.resize(60); }},
                    HostileCase{"paletteTooLarge", [](Bytes& b) { put16(b, 28, 8); put32(b, 46, 257); }},
                    HostileCase{"paletteCountHuge", [](Bytes& b) { put16(b, 28, 1); put32(b, 46, 0xFFFFFFFF); }},
                    HostileCase{"truncatedPixels", [](Bytes& b) { b.resize(b.size() - 20); }},
                    HostileCase{"truncatedHeader", [](Bytes& b) { b.resize(30); }},
                    HostileCase{"onlyTheMagic", [](Bytes& b) { b.resize(2); }}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST(BmpDecode, RefusesPastTheMemoryLimit) {
    const Bytes bmp = test::patternImage(100, 100).encodeBmp();
    DecodeOptions options;
    options.memoryLimit = 100 * 300 - 1;
    CRaster image;
    EXPECT_FALSE(image.decodeMemory(bmp.data(), bmp.size(), ImageFormat::Detect, options));
    EXPECT_EQ(image.lastError(), "image memory limit exceeded");
    options.memoryLimit = 100 * 300;
    EXPECT_TRUE(image.decodeMemory(bmp.data(), bmp.size(), ImageFormat::Detect, options));
}

TEST(BmpDecode, CoreHeaderWithThreeBytePalette) {
    Bytes b(14 + 12 + 2 * 3, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 14, 12);
    put16(b, 18, 2);  // width
    put16(b, 20, 1);  // height
    put16(b, 22, 1);
    put16(b, 24, 1);  // bits
    b[26] = 10; b[27] = 20; b[28] = 30;   // colour 0
    b[29] = 40; b[30] = 50; b[31] = 60;   // colour 1
    put32(b, 10, static_cast<std::uint32_t>(b.size()));
    b.insert(b.end(), {0b01000000, 0, 0, 0});
    const CRaster image = decode(b);
    ASSERT_TRUE(image.isValid()) << image.lastError();
    EXPECT_EQ(test::pixelAt(image, 0, 0), (test::Bgr{10, 20, 30}));
    EXPECT_EQ(test::pixelAt(image, 1, 0), (test::Bgr{40, 50, 60}));
}

}  // namespace
}  // namespace dz
