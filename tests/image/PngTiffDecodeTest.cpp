#include "ImageWriters.h"
#include "TempDir.h"
#include "image/CRaster.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

std::vector<std::uint8_t> gradientAlpha(int width, int height) {
    std::vector<std::uint8_t> alpha;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            alpha.push_back(static_cast<std::uint8_t>((x * 37 + y * 11) % 256));
        }
    }
    return alpha;
}

// Alpha of (x, y) from the top-left corner.
int alphaAt(const CRaster& image, int x, int y) {
    return image.alphaRow(image.height() - 1 - y)[x];
}

CRaster decodeBytes(const std::vector<std::uint8_t>& bytes, ImageFormat format = ImageFormat::Detect) {
    CRaster image;
    image.decodeMemory(bytes.data(), bytes.size(), format);
    return image;
}

TEST(PngDecode, ColourRoundTripIsExact) {
    const CRaster source = test::patternImage(37, 23);
    for (test::PngKind kind : {test::PngKind::Rgb, test::PngKind::Rgb16}) {
        const CRaster image = decodeBytes(test::writePng(source, kind));
        ASSERT_TRUE(image.isValid()) << image.lastError();
        EXPECT_EQ(image.sourceFormat(), ImageFormat::Png);
        EXPECT_TRUE(test::samePixels(image, source));
        EXPECT_FALSE(image.hasAlpha());
    }
}

TEST(PngDecode, KeepsTheAlphaChannel) {
    const CRaster source = test::patternImage(9, 5);
    const std::vector<std::uint8_t> alpha = gradientAlpha(9, 5);
    const CRaster image = decodeBytes(test::writePng(source, test::PngKind::Rgba, alpha), ImageFormat::Png);
    ASSERT_TRUE(image.isValid()) << image.lastError();
    EXPECT_TRUE(test::samePixels(image, source));
    ASSERT_TRUE(image.hasAlpha());
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(alphaAt(image, x, y), alpha[static_cast<std::size_t>(y) * 9 + x]);
        }
    }
}

TEST(PngDecode, GreyBecomesEqualChannels) {
    const CRaster source = test::patternImage(8, 8);
    const CRaster image = decodeBytes(test::writePng(source, test::PngKind::Grey));
    ASSERT_TRUE(image.isValid()) << image.lastError();
    EXPECT_EQ(image.bitsPerPixel(), 24);
    for (int y = 0; y < 8; ++y) {
        const int green = test::pixelAt(source, 3, y).green;
        EXPECT_EQ(test::pixelAt(image, 3, y), (test::Bgr{green, green, green}));
    }
}

TEST(PngDecode, RefusesPastTheMemoryLimit) {
    const std::vector<std::uint8_t> png = test::writePng(test::patternImage(64, 64), test::PngKind::Rgb);
    DecodeOptions options;
    options.memoryLimit = 1000;
    CRaster image;
    EXPECT_FALSE(image.decodeMemory(png.data(), png.size(), ImageFormat::Detect, options));
    EXPECT_EQ(image.lastError(), "image memory limit exceeded");
}

TEST(PngDecode, HugeDeclaredSizeIsRefusedBeforeAllocation) {
    std::vector<std::uint8_t> png = test::writePng(test::patternImage(4, 4), test::PngKind::Rgb);
    // Width in the IHDR chunk (bytes 16..19) set to 60000 x 60000; libpng
    // sees the chunk checksum mismatch or we see the limit, either refuses.
    png[16] = 0;
    png[17] = 0;
    png[18] = 0xEA;
    png[19] = 0x60;
    png[20] = 0;
    png[21] = 0;
    png[22] = 0xEA;
    png[23] = 0x60;
    const CRaster image = decodeBytes(png);
    EXPECT_FALSE(image.isValid());
    EXPECT_FALSE(image.lastError().empty());
}

class TiffDecode : public testing::Test {
protected:
    test::TempDir dir_;
    std::string path(const std::string& name) const { return (dir_.path() / name).string(); }
};

TEST_F(TiffDecode, ColourRoundTripIsExact) {
    const CRaster source = test::patternImage(41, 35);
    ASSERT_TRUE(test::writeTiff(path("colour.tif"), source));
    CRaster image;
    ASSERT_TRUE(image.decodeFile(path("colour.tif"), ImageFormat::Detect)) << image.lastError();
    EXPECT_EQ(image.sourceFormat(), ImageFormat::Tiff);
    EXPECT_TRUE(test::samePixels(image, source));
    EXPECT_FALSE(image.hasAlpha());
}

TEST_F(TiffDecode, KeepsTheAlphaChannel) {
    const CRaster source = test::patternImage(6, 7);
    const std::vector<std::uint8_t> alpha = gradientAlpha(6, 7);
    ASSERT_TRUE(test::writeTiff(path("alpha.tif"), source, alpha));
    CRaster image;
    ASSERT_TRUE(image.decodeFile(path("alpha.tif"), ImageFormat::Detect)) << image.lastError();
    ASSERT_TRUE(image.hasAlpha());
    EXPECT_EQ(alphaAt(image, 0, 0), alpha[0]);
    EXPECT_EQ(alphaAt(image, 5, 6), alpha[41]);
    // libtiff's RGBA reader hands colours premultiplied by alpha.
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 6; ++x) {
            const int a = alpha[static_cast<std::size_t>(y) * 6 + x];
            const test::Bgr written = test::pixelAt(source, x, y);
            const test::Bgr read = test::pixelAt(image, x, y);
            EXPECT_NEAR(read.blue, written.blue * a / 255.0, 1.0) << x << "," << y;
            EXPECT_NEAR(read.green, written.green * a / 255.0, 1.0) << x << "," << y;
            EXPECT_NEAR(read.red, written.red * a / 255.0, 1.0) << x << "," << y;
        }
    }
}

TEST_F(TiffDecode, RefusesPastTheMemoryLimit) {
    ASSERT_TRUE(test::writeTiff(path("big.tif"), test::patternImage(100, 100)));
    DecodeOptions options;
    options.memoryLimit = 100 * 100 * 3;
    CRaster image;
    EXPECT_FALSE(image.decodeFile(path("big.tif"), ImageFormat::Detect, options));
    EXPECT_EQ(image.lastError(), "image memory limit exceeded");
}

TEST_F(TiffDecode, DamagedFileFailsQuietly) {
    ASSERT_TRUE(test::writeTiff(path("colour.tif"), test::patternImage(40, 40)));
    std::vector<std::uint8_t> bytes = test::readFileBytes(path("colour.tif"));
    bytes.resize(bytes.size() / 2);  // the directory is written last
    testing::internal::CaptureStderr();
    CRaster image;
    const bool ok = image.decodeMemory(bytes.data(), bytes.size(), ImageFormat::Detect);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ok);
    EXPECT_FALSE(image.lastError().empty());
    EXPECT_EQ(printed, "");
}

}  // namespace
}  // namespace dz
