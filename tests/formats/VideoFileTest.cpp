// Videos made with ffmpeg while the test runs; the expected values are what
// was passed to ffmpeg, and the Pentax movie's as exiftool reads them.
#include "exif/CExifReader.h"
#include "formats/LoadedModules.h"
#include "formats/PictureDecode.h"
#include "formats/PictureFacts.h"
#include "formats/PictureKind.h"
#include "formats/QuickTimeUserData.h"

#include "MediaFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dz {
namespace {

using test::runFfmpeg;
using test::TempDir;

// A frame white in its top half and black below, so a picture upside down shows.
const std::string kHalfWhite =
    "-f lavfi -i color=c=black:s=320x240:r=10:d=2,drawbox=x=0:y=0:w=320:h=120:color=white:t=fill";

ExifInfo factsOf(const std::string& path, FactsOutcome expected = FactsOutcome::Decoded) {
    ExifInfo info;
    CExifReader reader(info);
    MemorySource unused(nullptr, 0);
    EXPECT_EQ(readPictureFacts(PictureKind::Video, path, unused, 0, reader), expected) << reader.lastError();
    return info;
}

// Grey level of the pixel in the middle of the top and of the bottom row.
std::pair<int, int> topAndBottom(const CRaster& image) {
    const std::size_t x = 3 * static_cast<std::size_t>(image.width() / 2);
    return {image.topDownRow(0)[x], image.topDownRow(image.height() - 1)[x]};
}

// The side the white half lies on ('t', 'r', 'b', 'l'), with black opposite;
// '?' when no side is.
char whiteSide(const CRaster& image) {
    const int w = image.width();
    const int h = image.height();
    const auto grey = [&](int x, int y) { return int{image.topDownRow(y)[3 * static_cast<std::size_t>(x)]}; };
    const int top = grey(w / 2, h / 4), bottom = grey(w / 2, 3 * h / 4);
    const int left = grey(w / 4, h / 2), right = grey(3 * w / 4, h / 2);
    return top > 200 && bottom < 50 ? 't' : bottom > 200 && top < 50 ? 'b'
         : left > 200 && right < 50 ? 'l' : right > 200 && left < 50 ? 'r' : '?';
}

class VideoFile : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::ffmpegAvailable()) {
            GTEST_SKIP() << "ffmpeg is not installed";
        }
    }
    std::string at(const std::string& name) const { return dir.str() + "/" + name; }
    TempDir dir;
};

TEST_F(VideoFile, CreationTimeBecomesLocalTimeInSummerAndWinterWithTheCamera) {
    // The test zone is CET: UTC+2 in July, UTC+1 in January.
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -metadata creation_time=2024-07-01T10:20:30Z -metadata make=Phone"
                          " -metadata model=P7 -movflags use_metadata_tags", at("summer.mp4")));
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -metadata creation_time=2024-01-15T23:20:30Z -metadata make=Cam"
                          " -metadata model=C1", at("winter.mov")));
    ASSERT_TRUE(runFfmpeg("-f lavfi -i testsrc=size=176x144:rate=10 -t 1"
                          " -metadata creation_time=2023-12-31T23:30:00Z", at("clip.3gp")));
    // A phone abroad: its local creation date wins over the UTC time (16:20:30 here).
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -metadata creation_time=2024-07-01T14:20:30Z"
                          " -metadata com.apple.quicktime.creationdate=2024-07-01T23:20:30+0900"
                          " -movflags use_metadata_tags", at("trip.mov")));
    const ExifInfo summer = factsOf(at("summer.mp4"));
    EXPECT_TRUE(summer.hasExif);
    EXPECT_EQ(summer.dateTime, "2024:07:01 12:20:30");
    EXPECT_EQ(summer.cameraMake, "Phone");
    EXPECT_EQ(summer.cameraModel, "P7");
    EXPECT_EQ(summer.width, 320);
    EXPECT_EQ(summer.height, 240);
    // The QuickTime user data texts "©mak" and "©mod"; a day later in local time.
    const ExifInfo winter = factsOf(at("winter.mov"));
    EXPECT_EQ(winter.dateTime, "2024:01:16 00:20:30");
    EXPECT_EQ(winter.cameraMake, "Cam");
    EXPECT_EQ(winter.cameraModel, "C1");
    // H.263 states its size in the frames only; the year turns in local time.
    const ExifInfo clip = factsOf(at("clip.3gp"));
    EXPECT_EQ(clip.dateTime, "2024:01:01 00:30:00");
    EXPECT_EQ(clip.width, 176);
    EXPECT_EQ(clip.height, 144);
    EXPECT_EQ(factsOf(at("trip.mov")).dateTime, "2024:07:01 23:20:30");
    CRaster frame;
    ASSERT_TRUE(decodePictureFile(at("clip.3gp"), {}, frame));
    EXPECT_EQ(frame.width(), 176);
    EXPECT_EQ(pictureFormatName(at("clip.3gp"), PictureKind::Video), "3GP");
    EXPECT_EQ(pictureKindOf(at("A.M4V"), PictureFiles::AllFormats), PictureKind::Video);
}

TEST_F(VideoFile, TheScanDecodesNoFrameAndTheThumbnailIsTheFrameTheRightWayUp) {
    ASSERT_TRUE(runFfmpeg(kHalfWhite, at("plain.mp4")));
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -movflags +faststart -metadata creation_time=2024-07-01T10:20:30Z",
                          at("fast.mov")));
    const std::uint64_t before = videoFramesDecoded();
    const ExifInfo info = factsOf(at("plain.mp4"));
    factsOf(at("fast.mov"));
    // The scan reads the index alone: no frame decoded, no thumbnail kept.
    EXPECT_EQ(videoFramesDecoded(), before);
    EXPECT_TRUE(info.thumbnail.empty());
    EXPECT_EQ(info.thumbnailSize, 0u);
    // No creation time: the zero date, so the scan takes the file time.
    EXPECT_EQ(info.dateTime, "0000:00:00 00:00:00");

    // The film's thumbnail: one frame, scaled to the box it asks for.
    DecodeOptions film;
    film.wantedWidth = 160;
    film.wantedHeight = 120;
    CRaster thumbnail;
    ASSERT_TRUE(decodePictureFile(at("plain.mp4"), film, thumbnail));
    EXPECT_EQ(videoFramesDecoded(), before + 1);
    EXPECT_EQ(thumbnail.width(), 160);
    EXPECT_EQ(thumbnail.height(), 120);
    EXPECT_GT(topAndBottom(thumbnail).first, 200);
    EXPECT_LT(topAndBottom(thumbnail).second, 50);

    CRaster frame;
    ASSERT_TRUE(decodePictureFile(at("plain.mp4"), {}, frame));
    EXPECT_EQ(frame.width(), 320);
    EXPECT_EQ(frame.height(), 240);
    EXPECT_GT(topAndBottom(frame).first, 200);
    EXPECT_LT(topAndBottom(frame).second, 50);
    DecodeOptions small;
    small.memoryLimit = 1000;
    EXPECT_FALSE(decodePictureFile(at("plain.mp4"), small, frame));
}

TEST_F(VideoFile, AMovieTurnedByItsDisplayMatrixShowsUprightWithItsShownSize) {
    // exiftool writes the turn a phone writes for a movie held upright.
    for (const auto& [degrees, side] : {std::pair{90, 'r'}, std::pair{180, 'b'}, std::pair{270, 'l'}}) {
        const std::string path = at("turned" + std::to_string(degrees) + ".mp4");
        ASSERT_TRUE(runFfmpeg(kHalfWhite, path));
        ASSERT_TRUE(test::runExiftool("-Rotation=" + std::to_string(degrees), path));
        const bool across = degrees != 180;
        const ExifInfo info = factsOf(path);
        EXPECT_EQ(info.width, across ? 240 : 320) << degrees;
        EXPECT_EQ(info.height, across ? 320 : 240) << degrees;
        DecodeOptions film;
        film.wantedWidth = 160;
        film.wantedHeight = 120;
        CRaster thumbnail;
        ASSERT_TRUE(decodePictureFile(path, film, thumbnail));
        EXPECT_EQ(thumbnail.width(), across ? 90 : 160) << degrees;
        EXPECT_EQ(thumbnail.height(), 120) << degrees;
        EXPECT_EQ(whiteSide(thumbnail), side) << degrees;
        CRaster frame;
        ASSERT_TRUE(decodePictureFile(path, {}, frame));
        EXPECT_EQ(frame.width(), info.width) << degrees;
        EXPECT_EQ(whiteSide(frame), side) << degrees;
    }
}

TEST_F(VideoFile, CameraMovieWithoutFramesNamesItsMakeAndTheFilmShowsThePlaceholder) {
    // exiftool: CreateDate 2005:08:11 14:03:54 (UTC), Make "PENTAX DIGITAL CAMERA"
    // in the "TAGS" atom, 320x240; its media data is stripped.
    const std::string movie = DZ_TEST_DATA "/QuickTime.mov";
    const ExifInfo info = factsOf(movie);
    EXPECT_EQ(info.dateTime, "2005:08:11 16:03:54");
    EXPECT_EQ(info.cameraMake, "PENTAX DIGITAL CAMERA");
    EXPECT_EQ(info.width, 320);
    EXPECT_EQ(info.height, 240);
    CRaster frame;
    EXPECT_FALSE(decodePictureFile(movie, {}, frame));
    // The film shows the video placeholder instead; a picture that does not
    // decode gets none.
    CRaster placeholder;
    ASSERT_TRUE(decodeKindPlaceholder(movie, placeholder));
    EXPECT_EQ(placeholder.width(), 160);
    EXPECT_EQ(placeholder.height(), 120);
    EXPECT_FALSE(decodeKindPlaceholder(DZ_TEST_DATA "/canon-40d.jpg", placeholder));
}

TEST_F(VideoFile, CutShortOrGarbageFilesAreNoVideo) {
    ASSERT_TRUE(runFfmpeg(kHalfWhite, at("whole.mp4")));
    // ffmpeg writes the index (moov) last: half the file has none.
    const std::string bytes = test::fileContents(at("whole.mp4"));
    ASSERT_GT(bytes.size(), 1000u);
    dir.write("cut.mp4", bytes.substr(0, bytes.size() / 2));
    dir.write("garbage.mov", std::string(4000, 'x'));
    // The index first, cut in its middle.
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -movflags +faststart", at("fast.mp4")));
    const std::string fast = test::fileContents(at("fast.mp4"));
    const std::size_t index = fast.find("moov");
    ASSERT_NE(index, std::string::npos);
    ASSERT_LT(index, fast.find("mdat"));
    dir.write("cut-index.mp4", fast.substr(0, index + 200));
    for (const char* name : {"cut.mp4", "garbage.mov", "cut-index.mp4"}) {
        ExifInfo info;
        CExifReader reader(info);
        MemorySource unused(nullptr, 0);
        EXPECT_EQ(readPictureFacts(PictureKind::Video, at(name), unused, 0, reader), FactsOutcome::NotDecoded);
        EXPECT_EQ(reader.lastError().rfind("not a readable video: ", 0), 0u) << reader.lastError();
        EXPECT_FALSE(info.hasExif);
    }
}

TEST_F(VideoFile, PlaceAndClockOffsetAsExiftoolReadsThem) {
    // An iPhone's keys; a movie keyed "location" as Android's camera apps
    // write it; a QuickTime camera's "©xyz" text with a UTC creation time.
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -movflags use_metadata_tags"
                          " -metadata com.apple.quicktime.location.ISO6709=-33.8688+151.2093+012.500/"
                          " -metadata com.apple.quicktime.creationdate=2024-07-05T09:00:00+0900"
                          " -metadata creation_time=2024-07-05T00:00:00Z", at("phone.mov")));
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -movflags use_metadata_tags -metadata location=+35.0116+135.7681+100/",
                          at("keyed.mp4")));
    ASSERT_TRUE(runFfmpeg(kHalfWhite + " -metadata location=-03.4653-062.2159/"
                          " -metadata creation_time=2024-07-05T00:00:00Z", at("camera.mov")));
    const std::vector<std::string> tags = {"-Composite:GPSLatitude", "-Composite:GPSLongitude",
                                           "-Composite:GPSAltitude", "-Keys:CreationDate"};
    for (const char* name : {"phone.mov", "keyed.mp4", "camera.mov"}) {
        const std::vector<std::string> oracle = test::exiftoolValues(tags, at(name));
        const ExifInfo info = factsOf(at(name));
        ASSERT_TRUE(info.position.known) << name;
        ASSERT_FALSE(oracle[0].empty() || oracle[1].empty()) << name;
        // exiftool reads the "location" key's place from the fixed-point copy
        // ffmpeg writes beside it, to a ten-thousandth of a degree.
        EXPECT_NEAR(info.position.latitude, std::stod(oracle[0]), 1e-4) << name;
        EXPECT_NEAR(info.position.longitude, std::stod(oracle[1]), 1e-4) << name;
        EXPECT_EQ(info.position.hasAltitude, !oracle[2].empty()) << name;
        EXPECT_NEAR(info.position.altitude, oracle[2].empty() ? 0.0 : std::stod(oracle[2]), 1e-4) << name;
        // "2024:07:05 09:00:00+09:00": the phone's local time and its offset.
        EXPECT_EQ(info.offsetTimeOriginal, oracle[3].size() > 19 ? oracle[3].substr(19) : "") << name;
        if (!oracle[3].empty()) {
            EXPECT_EQ(info.dateTime, oracle[3].substr(0, 19)) << name;
        }
    }
    // Without an offset the UTC time is still this computer's local time (CEST).
    EXPECT_EQ(factsOf(at("camera.mov")).dateTime, "2024:07:05 02:00:00");
}

TEST(QuickTimeUserData, BoxesThatOverrunTheirParentAreNotRead) {
    // moov { udta { ©mak "Ab" } }, then the same with the text's length one too long.
    const auto be32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    const auto movie = [&](std::uint16_t textLength) {
        const std::string text = std::string{static_cast<char>(textLength >> 8), static_cast<char>(textLength)} +
                                 std::string("\0\0Ab", 4);
        const std::string make = be32(8 + text.size()) + "\xA9mak" + text;
        const std::string udta = be32(8 + make.size()) + "udta" + make;
        return be32(8 + udta.size()) + "moov" + udta;
    };
    const std::string good = movie(2);
    MemoryBoxSource goodSource(reinterpret_cast<const std::uint8_t*>(good.data()), good.size());
    EXPECT_EQ(readQuickTimeCamera(goodSource).make, "Ab");
    const std::string bad = movie(3);
    MemoryBoxSource badSource(reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size());
    EXPECT_EQ(readQuickTimeCamera(badSource).make, "");
    // A movie box claiming more than the file holds is no box.
    const std::string cut = good.substr(0, good.size() - 1);
    MemoryBoxSource cutSource(reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size());
    EXPECT_EQ(readQuickTimeCamera(cutSource).make, "");
}

}  // namespace
}  // namespace dz
