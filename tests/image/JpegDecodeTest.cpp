#include "ImageWriters.h"
#include "image/CRaster.h"
#include "image/JpegCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace dz {
namespace {

std::string dataPath(const std::string& name) {
    return std::string(DZ_TEST_DATA) + "/" + name;
}

struct CameraFile {
    const char* name;
    int width;  // from the file's SOF0 frame header
    int height;
};

class JpegCameraFile : public testing::TestWithParam<CameraFile> {};

TEST_P(JpegCameraFile, DecodesAtTheFrameSize) {
    const CameraFile& c = GetParam();
    CRaster image;
    ASSERT_TRUE(image.decodeFile(dataPath(c.name), ImageFormat::Detect)) << image.lastError();
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.height(), c.height);
    EXPECT_EQ(image.bitsPerPixel(), 24);
    EXPECT_EQ(image.sourceFormat(), ImageFormat::Jpeg);

    CRaster asJpeg;
    ASSERT_TRUE(asJpeg.decodeFile(dataPath(c.name), ImageFormat::Jpeg));
    EXPECT_TRUE(test::samePixels(asJpeg, image));
}

INSTANTIATE_TEST_SUITE_P(RealFiles, JpegCameraFile,
                         testing::Values(CameraFile{"canon-40d.jpg", 100, 68},
                                         CameraFile{"nikon-d70-comment-after-exif.jpg", 100, 66},
                                         CameraFile{"fujifilm-e500-big-endian.jpg", 59, 100},
                                         CameraFile{"orientation-6-big-endian.jpg", 450, 600},
                                         CameraFile{"nikon-640x480-exif-thumbnail-160x120.jpg", 640, 480},
                                         CameraFile{"reconyx-2048x1536-no-thumbnail.jpg", 2048, 1536}));

struct EmbeddedThumbnail {
    const char* name;
    std::size_t offset;  // of its FF D8 inside the APP1 block
    std::size_t length;  // up to and with its FF D9
    int width;
    int height;
};

class JpegExifThumbnail : public testing::TestWithParam<EmbeddedThumbnail> {};

TEST_P(JpegExifThumbnail, DecodesFromMemory) {
    const EmbeddedThumbnail& c = GetParam();
    const std::vector<std::uint8_t> file = test::readFileBytes(dataPath(c.name));
    ASSERT_GE(file.size(), c.offset + c.length);
    ASSERT_EQ(file[c.offset], 0xFF);
    ASSERT_EQ(file[c.offset + 1], 0xD8);
    CRaster thumbnail;
    ASSERT_TRUE(thumbnail.decodeMemory(file.data() + c.offset, c.length, ImageFormat::Detect))
        << thumbnail.lastError();
    EXPECT_EQ(thumbnail.width(), c.width);
    EXPECT_EQ(thumbnail.height(), c.height);
}

INSTANTIATE_TEST_SUITE_P(RealFiles, JpegExifThumbnail,
                         testing::Values(EmbeddedThumbnail{"nikon-640x480-exif-thumbnail-160x120.jpg", 4560, 6702, 160, 120},
                                         EmbeddedThumbnail{"canon-40d.jpg", 1120, 1378, 68, 46},
                                         EmbeddedThumbnail{"nikon-d70-comment-after-exif.jpg", 596, 1700, 66, 43}));

TEST(JpegDecode, GeneratedPictureComesBackClose) {
    const CRaster source = test::patternImage(97, 41);
    for (test::JpegKind kind : {test::JpegKind::Colour, test::JpegKind::Progressive}) {
        const std::vector<std::uint8_t> jpeg = test::writeJpeg(source, 100, kind);
        CRaster image;
        ASSERT_TRUE(image.decodeMemory(jpeg.data(), jpeg.size(), ImageFormat::Detect)) << image.lastError();
        const int difference = test::largestDifference(image, source);
        EXPECT_GE(difference, 0);
        // Quality 100 with chroma subsampling on a checkered red channel.
        EXPECT_LT(difference, 80);
        // Colour order: blue rises to the right, green downwards.
        EXPECT_LT(test::pixelAt(image, 2, 20).blue, test::pixelAt(image, 94, 20).blue - 150);
        EXPECT_LT(test::pixelAt(image, 50, 2).green, test::pixelAt(image, 50, 38).green - 150);
    }
}

TEST(JpegDecode, GreyPictureBecomesEqualChannels) {
    const std::vector<std::uint8_t> jpeg = test::writeJpeg(test::patternImage(32, 16), 95, test::JpegKind::Grey);
    CRaster image;
    ASSERT_TRUE(image.decodeMemory(jpeg.data(), jpeg.size(), ImageFormat::Jpeg)) << image.lastError();
    EXPECT_EQ(image.bitsPerPixel(), 24);
    const test::Bgr p = test::pixelAt(image, 5, 9);
    EXPECT_EQ(p.blue, p.green);
    EXPECT_EQ(p.red, p.green);
}

struct ScaleCase {
    int width;
    int height;
    int wantedWidth;
    int wantedHeight;
    int numerator;
};

class JpegScaleChoice : public testing::TestWithParam<ScaleCase> {};

TEST_P(JpegScaleChoice, LeavesAtLeastTwiceTheWantedSize) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(jpegScaleNumerator(c.width, c.height, c.wantedWidth, c.wantedHeight), c.numerator);
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegScaleChoice,
                         testing::Values(ScaleCase{2048, 1536, 160, 120, 2},   // 512 x 384
                                         ScaleCase{3000, 2000, 160, 120, 1},   // 375 x 250
                                         ScaleCase{2560, 1920, 160, 120, 1},   // 320 x 240 exactly
                                         ScaleCase{2552, 1912, 160, 120, 2},   // 1/8 falls just short: 319 x 239
                                         ScaleCase{3648, 2736, 640, 480, 4},   // 3/8 would do, 1/2 is faster
                                         ScaleCase{450, 600, 160, 120, 8},     // so would 6/8
                                         ScaleCase{2000, 3000, 160, 120, 2},   // portrait: 1/8 is 250 wide
                                         ScaleCase{640, 480, 160, 120, 4},     // 320 x 240
                                         ScaleCase{300, 200, 160, 120, 8},     // not twice as large
                                         ScaleCase{160, 120, 160, 120, 8},
                                         ScaleCase{2048, 1536, 0, 0, 8},       // full size asked for
                                         ScaleCase{65500, 65500, 1, 1, 1}));

TEST(JpegDecode, ScaledDecodeOfALargePicture) {
    const std::vector<std::uint8_t> jpeg = test::writeJpeg(test::patternImage(2048, 1536), 85);
    ASSERT_FALSE(jpeg.empty());
    DecodeOptions options;
    options.wantedWidth = 160;
    options.wantedHeight = 120;
    CRaster image;
    ASSERT_TRUE(image.decodeMemory(jpeg.data(), jpeg.size(), ImageFormat::Detect, options)) << image.lastError();
    EXPECT_GE(image.width(), 320);
    EXPECT_GE(image.height(), 240);
    EXPECT_LE(image.width(), 2048 / 4);
    EXPECT_LE(image.height(), 1536 / 4);
}

TEST(JpegDecode, ScaledDecodeOfARealFile) {
    CRaster image;
    ASSERT_TRUE(image.decodeFile(dataPath("reconyx-2048x1536-no-thumbnail.jpg"), ImageFormat::Jpeg, 160, 120));
    EXPECT_EQ(image.width(), 512);
    EXPECT_EQ(image.height(), 384);
}

TEST(JpegDecode, RefusesPastTheMemoryLimit) {
    const std::vector<std::uint8_t> jpeg = test::writeJpeg(test::patternImage(400, 300), 80);
    DecodeOptions options;
    options.memoryLimit = 400 * 300 * 3 - 1;
    CRaster image;
    EXPECT_FALSE(image.decodeMemory(jpeg.data(), jpeg.size(), ImageFormat::Detect, options));
    EXPECT_FALSE(image.isValid());
    EXPECT_EQ(image.lastError(), "image memory limit exceeded");
    // The limit applies to the decoded size, so a scaled decode fits.
    options.wantedWidth = 100;
    options.wantedHeight = 75;
    EXPECT_TRUE(image.decodeMemory(jpeg.data(), jpeg.size(), ImageFormat::Detect, options)) << image.lastError();
    EXPECT_EQ(image.width(), 200);
}

TEST(JpegDecode, RealLargeFileAgainstASmallLimit) {
    DecodeOptions options;
    options.memoryLimit = 1 << 20;
    CRaster image;
    EXPECT_FALSE(image.decodeFile(dataPath("reconyx-2048x1536-no-thumbnail.jpg"), ImageFormat::Detect, options));
    EXPECT_EQ(image.lastError(), "image memory limit exceeded");
}

TEST(JpegDecode, AFailedDecodeForgetsTheOldPicture) {
    CRaster image;
    ASSERT_TRUE(image.decodeFile(dataPath("canon-40d.jpg"), ImageFormat::Detect));
    EXPECT_FALSE(image.decodeFile(dataPath("no-such-file.jpg"), ImageFormat::Detect));
    EXPECT_FALSE(image.isValid());
    EXPECT_FALSE(image.lastError().empty());
}

TEST(JpegDecode, WrongFormatGivenIsAFailure) {
    const std::vector<std::uint8_t> bmp = test::patternImage(4, 4).encodeBmp();
    CRaster image;
    EXPECT_FALSE(image.decodeMemory(bmp.data(), bmp.size(), ImageFormat::Jpeg));
    EXPECT_FALSE(image.lastError().empty());
}

}  // namespace
}  // namespace dz
