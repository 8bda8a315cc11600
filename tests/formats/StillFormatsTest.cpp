// HEIF, PNG, RAF and CR3 files read as the scan reads them. Expected values
// were read with exiftool 12.57 (`exiftool -s -a -G1`).
#include "ImageWriters.h"
#include "StillSamples.h"
#include "TempDir.h"

#include "formats/PictureDecode.h"
#include "formats/PictureFacts.h"
#include "formats/PictureKind.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dz {
namespace {

using test::readTestData;

struct Facts {
    FactsOutcome outcome = FactsOutcome::NotDecoded;
    ExifInfo info;
    std::string message;
};

Facts factsOf(const std::string& name, const std::string& bytes) {
    Facts facts;
    CExifReader reader(facts.info);
    reader.setMessageSink([&](const std::string& text) { facts.message = text; });
    MemorySource source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    facts.outcome = readPictureFacts(pictureKindOf(name, PictureFiles::AllFormats), name, source, bytes.size(), reader);
    return facts;
}

// The thumbnail decodes as the film decodes it; its size.
std::pair<int, int> thumbnailSize(const ExifInfo& info) {
    CRaster thumbnail;
    EXPECT_EQ(info.thumbnailSize, info.thumbnail.size());
    if (!thumbnail.decodeMemory(info.thumbnail.data(), info.thumbnail.size(), ImageFormat::Detect)) {
        return {0, 0};
    }
    return {thumbnail.width(), thumbnail.height()};
}

TEST(HeifFile, APhoneHeicGivesItsExifAThumbnailOfItsPictureAndDecodesWithinTheLimit) {
    const Facts heic = factsOf("IMG_5195.HEIC", readTestData("IMG_5195.HEIC"));
    ASSERT_EQ(heic.outcome, FactsOutcome::Decoded);
    EXPECT_TRUE(heic.info.hasExif);
    EXPECT_EQ(heic.info.dateTime, "2021:04:11 15:47:53");
    EXPECT_EQ(heic.info.cameraMake, "Apple");
    EXPECT_EQ(heic.info.cameraModel, "iPhone 11 Pro Max");
    EXPECT_FLOAT_EQ(heic.info.exposureTime, 1.0f / 391);
    EXPECT_FLOAT_EQ(heic.info.apertureFNumber, 1.8f);
    EXPECT_EQ(heic.info.width, 2566);
    EXPECT_EQ(heic.info.height, 3313);
    // It has no thumbnail item: the film makes one from the picture.
    EXPECT_TRUE(heic.info.thumbnail.empty());

    CRaster picture;
    ASSERT_TRUE(decodePictureFile(DZ_TEST_DATA "/IMG_5195.HEIC", {}, picture, ImageFormat::Jpeg));
    EXPECT_EQ(picture.width(), 2566);
    EXPECT_EQ(picture.height(), 3313);
    DecodeOptions small;
    small.memoryLimit = 1 << 20;
    EXPECT_FALSE(decodePictureFile(DZ_TEST_DATA "/IMG_5195.HEIC", small, picture));
    EXPECT_EQ(picture.lastError(), kMemoryLimitText);
}

TEST(HeifFile, AnAvifPictureDecodesInItsColours) {
    test::TempDir dir;
    const std::string path = dir.str() + "/red.avif";
    const std::string make = "ffmpeg -hide_banner -loglevel error -f lavfi -i color=c=red:size=64x48 -frames:v 1 "
                             "-c:v libaom-av1 -still-picture 1 -pix_fmt yuv444p '" + path + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    CRaster picture;
    ASSERT_TRUE(decodePictureFile(path, {}, picture, ImageFormat::Jpeg));
    EXPECT_EQ(picture.width(), 64);
    EXPECT_EQ(picture.height(), 48);
    const test::Bgr pixel = test::pixelAt(picture, 10, 10);
    EXPECT_GT(pixel.red, 200);
    EXPECT_LT(pixel.green, 60);
    EXPECT_LT(pixel.blue, 60);
}

TEST(PngExif, TheExifChunkIsDecodedAndTheFilmDecodesThePicture) {
    const std::string png = test::pngWithExif(320, 200);
    const Facts facts = factsOf("a.png", png);
    ASSERT_EQ(facts.outcome, FactsOutcome::Decoded);
    EXPECT_TRUE(facts.info.hasExif);
    EXPECT_EQ(facts.info.dateTime, "2008:05:30 15:56:01");
    EXPECT_EQ(facts.info.cameraModel, "Canon EOS 40D");
    EXPECT_FLOAT_EQ(facts.info.apertureFNumber, 7.1f);

    const Facts plain = factsOf("PNG.png", readTestData("PNG.png"));
    EXPECT_EQ(plain.outcome, FactsOutcome::Decoded);
    EXPECT_FALSE(plain.info.hasExif);
    EXPECT_TRUE(plain.info.thumbnail.empty());

    // Shown as a PNG even where the caller expects JPEGs.
    test::TempDir dir;
    CRaster picture;
    ASSERT_TRUE(decodePictureFile(dir.write("a.png", png).string(), {}, picture, ImageFormat::Jpeg));
    EXPECT_EQ(picture.width(), 320);
}

TEST(RafFile, TheEmbeddedJpegGivesTheExifAndItsLargerPictureTheThumbnail) {
    const Facts raf = factsOf("x.RAF", readTestData("FujiFilm.raf"));
    ASSERT_EQ(raf.outcome, FactsOutcome::Decoded);
    EXPECT_EQ(raf.info.dateTime, "2007:05:22 13:58:30");
    EXPECT_EQ(raf.info.cameraMake, "FUJIFILM");
    EXPECT_EQ(raf.info.cameraModel.substr(0, 13), "FinePix S5Pro");
    EXPECT_FLOAT_EQ(raf.info.exposureTime, 1.0f / 250);
    EXPECT_EQ(raf.info.isoEquivalent, 100);
    // The embedded JPEG is 8 x 8 (stripped); its EXIF thumbnail, 9362 bytes, 160 x 120.
    EXPECT_EQ(raf.info.thumbnailSize, 9362u);
    EXPECT_EQ(thumbnailSize(raf.info), std::make_pair(160, 120));
    CRaster picture;
    ASSERT_TRUE(decodePictureFile(DZ_TEST_DATA "/FujiFilm.raf", {}, picture, ImageFormat::Jpeg));
    EXPECT_EQ(picture.width(), 160);
}

TEST(Cr3File, TheTiffBlocksGiveTheExifAndTheLargestPreviewThatDecodesTheThumbnail) {
    const Facts cr3 = factsOf("x.cr3", readTestData("CanonRaw.cr3"));
    ASSERT_EQ(cr3.outcome, FactsOutcome::Decoded);
    EXPECT_TRUE(cr3.info.hasExif);
    EXPECT_EQ(cr3.info.dateTime, "2018:02:21 12:08:56");
    EXPECT_EQ(cr3.info.cameraMake, "Canon");
    EXPECT_EQ(cr3.info.cameraModel, "Canon EOS M50");
    EXPECT_FLOAT_EQ(cr3.info.exposureTime, 1.0f / 80);
    EXPECT_FLOAT_EQ(cr3.info.apertureFNumber, 3.5f);
    EXPECT_EQ(cr3.info.orientation, 1);
    // Its THMB and PRVW hold dummy texts, no JPEG.
    EXPECT_TRUE(cr3.info.thumbnail.empty());

    const std::string withPreview = test::cr3WithPreview(test::writeJpeg(test::patternImage(240, 160)));
    const Facts shown = factsOf("x.cr3", withPreview);
    EXPECT_EQ(shown.info.cameraModel, "Canon EOS M50");
    EXPECT_EQ(thumbnailSize(shown.info), std::make_pair(240, 160));
    test::TempDir dir;
    CRaster picture;
    ASSERT_TRUE(decodePictureFile(dir.write("x.CR3", withPreview).string(), {}, picture, ImageFormat::Jpeg));
    EXPECT_EQ(picture.width(), 240);
}

TEST(PictureKind, TheStillFormatsAreNamedByTheirExtension) {
    EXPECT_EQ(pictureKindOf("a/b.HIF", PictureFiles::AllFormats), PictureKind::Heif);
    EXPECT_EQ(pictureKindOf("a/b.avif", PictureFiles::AllFormats), PictureKind::Heif);
    EXPECT_EQ(pictureKindOf("a/b.png", PictureFiles::JpegOnly), PictureKind::None);
    EXPECT_EQ(pictureFormatName("a/b.heic", PictureKind::Heif), "HEIC");
    EXPECT_EQ(pictureFormatName("a/b.Cr3", PictureKind::Cr3), "CR3");
}

}  // namespace
}  // namespace dz
