// WebP files made with ffmpeg while the test runs, given the EXIF block of a
// real camera JPEG; expected values as exiftool reads them off those JPEGs.
#include "exif/CExifReader.h"
#include "formats/PictureDecode.h"
#include "formats/PictureFacts.h"
#include "formats/PictureKind.h"
#include "formats/VideoPlaceholder.h"
#include "formats/WebpChunks.h"

#include "MediaFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>


namespace dz {
namespace {

using test::readTestData;
using test::TempDir;

struct Read {
    FactsOutcome outcome;
    ExifInfo info;
    std::string message;
};

Read readWebp(const std::string& bytes) {
    Read result{};
    CExifReader reader(result.info);
    MemorySource source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    result.outcome = readPictureFacts(PictureKind::Webp, "x.webp", source, bytes.size(), reader);
    result.message = reader.lastError();
    return result;
}

class WebpFile : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::ffmpegAvailable()) {
            GTEST_SKIP() << "ffmpeg is not installed";
        }
        // White above, black below, so a picture upside down shows.
        ASSERT_TRUE(test::runFfmpeg("-f lavfi -i color=c=black:s=64x48,drawbox=x=0:y=0:w=64:h=24:color=white:t=fill"
                                    " -frames:v 1", dir.str() + "/plain.webp"));
        plain = test::fileContents(dir.str() + "/plain.webp");
    }
    TempDir dir;
    std::string plain;
};

TEST_F(WebpFile, ExifChunkWithItsHeaderKeepsTheEmbeddedThumbnail) {
    // exiftool canon-40d.jpg: DateTimeOriginal 2008:05:30 15:56:01, Make Canon,
    // Model Canon EOS 40D, ThumbnailLength 1378.
    const Read read = readWebp(test::webpWithExif(plain, test::exifSegmentOf(readTestData("canon-40d.jpg"))));
    ASSERT_EQ(read.outcome, FactsOutcome::Decoded);
    EXPECT_TRUE(read.info.hasExif);
    EXPECT_EQ(read.info.dateTime, "2008:05:30 15:56:01");
    EXPECT_EQ(read.info.cameraMake, "Canon");
    EXPECT_EQ(read.info.cameraModel, "Canon EOS 40D");
    EXPECT_EQ(read.info.thumbnailSize, 1378u);
    // The picture's own size, not the camera's.
    EXPECT_EQ(read.info.width, 64);
    EXPECT_EQ(read.info.height, 48);
}

TEST_F(WebpFile, BareTiffBlockWithoutThumbnailLeavesThePictureToTheFilm) {
    // exiftool fujifilm-e500-big-endian.jpg: DateTimeOriginal 2006:08:17 09:24:48,
    // Make FUJIFILM, no IFD1 thumbnail; a big-endian block.
    const std::string segment = test::exifSegmentOf(readTestData("fujifilm-e500-big-endian.jpg"));
    ASSERT_GT(segment.size(), 6u);
    const std::string webp = test::webpWithExif(plain, segment.substr(6));
    const Read read = readWebp(webp);
    ASSERT_EQ(read.outcome, FactsOutcome::Decoded);
    EXPECT_EQ(read.info.dateTime, "2006:08:17 09:24:48");
    EXPECT_EQ(read.info.cameraMake, "FUJIFILM");
    // The scan reads metadata only; the film decodes the picture itself.
    EXPECT_EQ(read.info.thumbnailSize, 0u);
    EXPECT_EQ(read.info.width, 64);

    const std::string path = dir.write("shot.WEBP", webp).string();
    EXPECT_EQ(pictureFormatName(path, pictureKindOf(path, PictureFiles::AllFormats)), "WEBP");
    CRaster picture;
    ASSERT_TRUE(decodePictureFile(path, {}, picture));
    EXPECT_EQ(picture.width(), 64);
    EXPECT_GT(picture.topDownRow(0)[96], 200);
    EXPECT_LT(picture.topDownRow(47)[96], 50);
}

TEST_F(WebpFile, AnExifChunkIsReadWhereItsHeaderPlacesTheFirstDirectory) {
    // exiftool writes its WebP EXIF chunks with the first directory at 16.
    const std::string path = dir.write("tagged.webp", plain).string();
    ASSERT_TRUE(test::runExiftool("-DateTimeOriginal='2024:05:01 10:00:00' -Make=Phone", path));
    const Read tagged = readWebp(test::fileContents(path));
    ASSERT_EQ(tagged.outcome, FactsOutcome::Decoded);
    EXPECT_TRUE(tagged.info.hasExif) << tagged.message;
    EXPECT_EQ(tagged.info.dateTime, "2024:05:01 10:00:00");
    EXPECT_EQ(tagged.info.cameraMake, "Phone");
    // exiftool RIFF.webp: XResolution 72, no date.
    const Read sample = readWebp(readTestData("RIFF.webp"));
    EXPECT_TRUE(sample.info.hasExif) << sample.message;
    EXPECT_EQ(sample.info.xResolution, 72.0f);
    EXPECT_TRUE(sample.info.dateTime.empty());
}

TEST_F(WebpFile, AnAnimationTheDecoderCannotTakeShowsThePlaceholderNotAnError) {
    const std::string path = dir.str() + "/moving.webp";
    ASSERT_TRUE(test::runFfmpeg("-f lavfi -i testsrc=size=64x48:rate=5 -t 1 -loop 0", path));
    ASSERT_TRUE(test::runExiftool("-DateTimeOriginal='2024:05:01 10:00:00'", path));
    const Read read = readWebp(test::fileContents(path));
    ASSERT_EQ(read.outcome, FactsOutcome::Decoded);
    EXPECT_EQ(read.info.dateTime, "2024:05:01 10:00:00");
    EXPECT_EQ(read.info.thumbnail, videoPlaceholderJpeg());
    EXPECT_EQ(read.info.thumbnailSize, read.info.thumbnail.size());
}

TEST_F(WebpFile, WithoutExifOrBrokenItIsPassedOverWithAReason) {
    const Read none = readWebp(plain);
    EXPECT_EQ(none.outcome, FactsOutcome::Decoded);
    EXPECT_FALSE(none.info.hasExif);
    // exiftool RIFF.webp: 1 x 1 with alpha; an EXIF chunk of five tags, no date.
    CRaster tiny;
    ASSERT_TRUE(decodePictureFile(DZ_TEST_DATA "/RIFF.webp", {}, tiny));
    EXPECT_EQ(tiny.width(), 1);

    const std::string full = test::webpWithExif(plain, test::exifSegmentOf(readTestData("canon-40d.jpg")));
    const Read cut = readWebp(full.substr(0, full.size() - 100));
    EXPECT_EQ(cut.outcome, FactsOutcome::NotDecoded);
    EXPECT_EQ(cut.message, "WebP file cut short");
    EXPECT_EQ(readWebp(std::string(200, 'x')).message, "not a WebP file");

    // A chunk longer than the RIFF size that holds it.
    std::string overrun = full;
    overrun[19] = '\x7F';
    WebpLayout layout;
    std::string problem;
    EXPECT_FALSE(readWebpLayout(reinterpret_cast<const std::uint8_t*>(overrun.data()), overrun.size(), layout, problem));
    EXPECT_EQ(problem, "WebP chunk runs past the end of the file");
}

}  // namespace
}  // namespace dz
