#include "DecodeHelper.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace dz::test {
namespace {

// Expected values were read off the files' bytes by hand (marker lengths,
// the TIFF directories and their value offsets), not from this decoder.
struct CameraFile {
    const char* name;
    const char* make;
    const char* model;
    const char* dateTime;
    std::int32_t width;
    std::int32_t height;
    std::int32_t orientation;
    float exposureTime;
    float fNumber;
    std::int32_t iso;
    std::int32_t flashUsed;
    std::uint32_t thumbnailSize;
    std::size_t scanEnd;  // end of the start-of-scan section
};

const CameraFile kFiles[] = {
    {"canon-40d.jpg", "Canon", "Canon EOS 40D", "2008:05:30 15:56:01", 100, 68, 1,
     1.0f / 160, 7.1f, 100, 1, 1378, 5976},
    {"nikon-d70-comment-after-exif.jpg", "NIKON CORPORATION", "NIKON D70",
     "2008:03:15 09:52:01", 100, 66, 1, 1.0f / 200, 9.0f, 200, 0, 1700, 11061},
    {"fujifilm-e500-big-endian.jpg", "FUJIFILM", "FinePix E500   ", "2006:08:17 09:24:48",
     59, 100, 1, 10.0f / 800, 2.9f, 100, 0, 0, 1481},
    {"orientation-6-big-endian.jpg", "", "", "", 450, 600, 6, 0, 0, 0, 0, 0, 2731},
};

TEST(CameraFiles, DecodeAsReadOffTheBytes) {
    for (const CameraFile& f : kFiles) {
        const std::string bytes = readTestData(f.name);
        const auto r = decodeBytes(bytes);
        ASSERT_TRUE(r.ok) << f.name << ": " << r.error;
        EXPECT_TRUE(r.info.hasExif) << f.name;
        EXPECT_EQ(r.info.cameraMake, f.make) << f.name;
        EXPECT_EQ(r.info.cameraModel, f.model) << f.name;
        EXPECT_EQ(r.info.dateTime, f.dateTime) << f.name;
        EXPECT_EQ(r.info.width, f.width) << f.name;
        EXPECT_EQ(r.info.height, f.height) << f.name;
        EXPECT_EQ(r.info.orientation, f.orientation) << f.name;
        EXPECT_FLOAT_EQ(r.info.exposureTime, f.exposureTime) << f.name;
        EXPECT_FLOAT_EQ(r.info.apertureFNumber, f.fNumber) << f.name;
        EXPECT_EQ(r.info.isoEquivalent, f.iso) << f.name;
        EXPECT_EQ(r.info.flashUsed, f.flashUsed) << f.name;
        EXPECT_EQ(r.info.thumbnailSize, f.thumbnailSize) << f.name;
        EXPECT_EQ(r.info.thumbnail.size(), f.thumbnailSize) << f.name;
        EXPECT_EQ(r.info.isColor, 1) << f.name;
        EXPECT_EQ(r.info.encodingMarker, 0xC0) << f.name;
        EXPECT_EQ(r.position, f.scanEnd) << f.name;
        EXPECT_EQ(r.error, "") << f.name;
    }
}

TEST(CameraFiles, CanonThumbnailIsTheEmbeddedJpeg) {
    const std::string bytes = readTestData("canon-40d.jpg");
    const auto r = decodeBytes(bytes);
    // The TIFF block starts at file offset 30; the thumbnail lies 1090 bytes into it.
    const std::string expected = bytes.substr(30 + 1090, 1378);
    ASSERT_EQ(r.info.thumbnail.size(), expected.size());
    EXPECT_TRUE(std::equal(r.info.thumbnail.begin(), r.info.thumbnail.end(), expected.begin(),
                           [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }));
    EXPECT_EQ(r.info.thumbnail[0], 0xFF);
    EXPECT_EQ(r.info.thumbnail[1], 0xD8);
    EXPECT_EQ(r.info.exifVersion, "0221");
    EXPECT_EQ(r.info.meteringMode, 5);
    EXPECT_EQ(r.info.exposureProgram, 1);
    EXPECT_FLOAT_EQ(r.info.focalLength, 135);
    // 264 zero bytes of UserComment: no comment.
    EXPECT_EQ(r.info.comment, "");
    // 100 pixels × 1 inch × 25.4 / (3888000/876 pixels per inch).
    EXPECT_NEAR(r.info.ccdWidth, 100 * 25.4 / (3888000.0 / 876), 1e-4);
}

TEST(CameraFiles, NikonCommentSectionAfterExif) {
    const auto r = decodeBytes(readTestData("nikon-d70-comment-after-exif.jpg"));
    EXPECT_EQ(r.info.comment, "comment in GIMP 2.4.5");
    EXPECT_FLOAT_EQ(r.info.exposureBias, -1);
    EXPECT_EQ(r.info.exifVersion, "");
    EXPECT_EQ(r.info.meteringMode, 2);
    EXPECT_FLOAT_EQ(r.info.xResolution, 72);  // the thumbnail directory's value comes last
}

TEST(CameraFiles, FujifilmUnitsInCentimetres) {
    const auto r = decodeBytes(readTestData("fujifilm-e500-big-endian.jpg"));
    EXPECT_EQ(r.info.jpegQuality, 4);
    EXPECT_FLOAT_EQ(r.info.focalPlaneUnit, 0.3937008f);
    // Larger pixel dimension 100, 4000 pixels per centimetre.
    EXPECT_NEAR(r.info.ccdWidth, 100 * 0.3937008 * 25.4 / 4000, 1e-5);
    EXPECT_EQ(r.info.exposureProgram, 2);
    EXPECT_FLOAT_EQ(r.info.focalLength, 4.7f);
}

TEST(CameraFiles, PictureWithoutExif) {
    const auto r = decodeBytes(readTestData("no-exif.jpg"));
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.info.hasExif);
    EXPECT_EQ(r.info.dateTime, "");
    EXPECT_EQ(r.info.width, 59);
    EXPECT_EQ(r.info.height, 100);
    EXPECT_EQ(r.info.isColor, 1);
    EXPECT_EQ(r.info.encodingMarker, 0xC0);
    EXPECT_EQ(r.position, 1481u - 1158u);  // the cut section was 1158 bytes
}

TEST(CameraFiles, TruncatedCopiesFailWithAMessage) {
    const std::string bytes = readTestData("canon-40d.jpg");
    // Inside the EXIF section, and just before the start of scan.
    EXPECT_EQ(decodeBytes(bytes.substr(0, 1000)).error, "Premature end of file?");
    EXPECT_EQ(decodeBytes(bytes.substr(0, 5817)).error, "invalid marker");
}

}  // namespace
}  // namespace dz::test
