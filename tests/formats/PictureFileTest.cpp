#include "formats/PictureDecode.h"
#include "formats/PictureKind.h"
#include "image/JpegWriter.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

TEST(PictureKind, ExtensionsAreMatchedWithoutCaseAndJpegOnlyTakesJpgAlone) {
    EXPECT_EQ(pictureKindOf("a/IMG_1.JPG", PictureFiles::JpegOnly), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindOf("a/IMG_1.jpeg", PictureFiles::JpegOnly), PictureKind::None);
    EXPECT_EQ(pictureKindOf("a/IMG_1.Jpeg", PictureFiles::AllFormats), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindOf("a/IMG_1.NeF", PictureFiles::AllFormats), PictureKind::TiffRaw);
    // A dot in a folder name is no extension.
    EXPECT_EQ(pictureKindOf("a.nef/IMG_1", PictureFiles::AllFormats), PictureKind::None);
}

TEST(PictureDecode, ARawFileShowsItsLargestPreviewAndAJpegItself) {
    CRaster raw;
    ASSERT_TRUE(decodePictureFile(DZ_TEST_DATA "/Panasonic.rw2", {}, raw));
    // exiftool: its JpgFromRaw is 8 x 8.
    EXPECT_EQ(raw.width(), 8);
    EXPECT_EQ(raw.height(), 8);
    CRaster jpeg;
    ASSERT_TRUE(decodePictureFile(DZ_TEST_DATA "/canon-40d.jpg", {}, jpeg, ImageFormat::Jpeg));
    EXPECT_EQ(jpeg.width(), 100);
}

TEST(JpegWriter, AThumbnailItMakesDecodesToItsSize) {
    CRaster image;
    ASSERT_TRUE(image.createBlank(37, 21, 24));
    const std::vector<std::uint8_t> bytes = encodeJpeg(image, 85);
    CRaster back;
    ASSERT_TRUE(back.decodeMemory(bytes.data(), bytes.size(), ImageFormat::Detect));
    EXPECT_EQ(back.width(), 37);
    EXPECT_EQ(back.height(), 21);
    EXPECT_TRUE(encodeJpeg(CRaster{}, 85).empty());
}

}  // namespace
}  // namespace dz
