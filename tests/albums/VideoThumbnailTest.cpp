// The film's thumbnail of a video, made by its workers when it is shown:
// the scan leaves none, the film decodes one frame, and a video without a
// frame that decodes shows the video placeholder.
#include "albums/ThumbnailMaker.h"
#include "catalogue/CDirReader.h"
#include "formats/LoadedModules.h"

#include "MediaFiles.h"
#include "ScriptedHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dz {
namespace {

TEST(VideoThumbnail, TheFilmDecodesOneFrameOfAScannedVideoAndShowsThePlaceholderWhereNoneDecodes) {
    if (!test::ffmpegAvailable()) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    test::TempDir dir;
    const std::string movie = dir.str() + "/half-white.mp4";
    ASSERT_TRUE(test::runFfmpeg("-f lavfi -i color=c=black:s=320x240:r=10:d=2,"
                                "drawbox=x=0:y=0:w=320:h=120:color=white:t=fill",
                                movie));
    ASSERT_TRUE(test::runFfmpeg("-f lavfi -i testsrc=size=1280x720:rate=30:d=3 -pix_fmt yuv420p"
                                " -metadata creation_time=2024-07-01T10:20:30Z",
                                dir.str() + "/phone.mp4"));
    std::filesystem::copy_file(DZ_TEST_DATA "/QuickTime.mov", dir.path() / "frameless.mov");

    // The scan as the program makes it.
    test::ScriptedHost host;
    FileSystem fileSystem;
    const bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.setPictureFiles(PictureFiles::AllFormats);
    const std::uint64_t before = videoFramesDecoded();
    reader.listFolders(dir.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
    EXPECT_EQ(videoFramesDecoded(), before);
    ASSERT_EQ(reader.catalogue().size(), 3u);
    const auto scanned = [&](const std::string& name) {
        for (const PictureRecord& picture : reader.catalogue()) {
            if (picture.path == dir.str() + "/" + name) {
                return picture;
            }
        }
        return PictureRecord{};
    };
    const PictureRecord video = scanned("half-white.mp4");
    const PictureRecord frameless = scanned("frameless.mov");
    ASSERT_TRUE(video.block && frameless.block);
    EXPECT_TRUE(video.exif().thumbnail.empty());

    const FilmThumbnail made = makeFilmThumbnail(video, false, ThumbnailShape::KeepProportions);
    ASSERT_EQ(made.status, FilmThumbnail::Status::Made);
    EXPECT_EQ(videoFramesDecoded(), before + 1);
    ASSERT_EQ(made.image.width(), 160);
    ASSERT_EQ(made.image.height(), 120);
    EXPECT_GT(made.image.topDownRow(10)[3 * 80], 200);
    EXPECT_LT(made.image.topDownRow(110)[3 * 80], 50);

    // The placeholder's dark film between its sprocket holes, not a picture
    // that failed to load.
    const FilmThumbnail placeholder = makeFilmThumbnail(frameless, false, ThumbnailShape::KeepProportions);
    ASSERT_EQ(placeholder.status, FilmThumbnail::Status::Made);
    EXPECT_LT(placeholder.image.topDownRow(60)[3 * 2], 80);
}

}  // namespace
}  // namespace dz
