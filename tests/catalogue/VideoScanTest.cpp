// Videos and WebP pictures in the "All photos and videos" scan.
#include "catalogue/CDirReader.h"

#include "catalogue/PictureTimeStamp.h"

#include "MediaFiles.h"
#include "ScriptedHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace dz {
namespace {

TEST(VideoScan, VideosAreCataloguedByTheirLocalTimeOrTheFileTimeAndBrokenOnesPassedOver) {
    if (!test::ffmpegAvailable()) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    test::TempDir dir;
    const std::string clip = "-f lavfi -i testsrc=size=160x120:rate=5 -t 1";
    ASSERT_TRUE(test::runFfmpeg(clip + " -metadata creation_time=2024-07-01T10:20:30Z", dir.str() + "/dated.MOV"));
    ASSERT_TRUE(test::runFfmpeg(clip, dir.str() + "/undated.mp4"));
    dir.write("garbage.m4v", std::string(3000, '\x01'));
    ASSERT_TRUE(test::runFfmpeg("-f lavfi -i testsrc=size=32x24 -frames:v 1", dir.str() + "/plain.webp"));
    // exiftool: an EXIF chunk without a date, its first directory 8 bytes past the header's end.
    dir.write("no-date.webp", test::readTestData("RIFF.webp"));

    test::ScriptedHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    std::map<std::string, std::string> reasons;
    reader.setPassedOverListener([&](const PassedOver& p) { reasons[p.path.substr(dir.str().size() + 1)] = p.reason; });
    reader.setPictureFiles(PictureFiles::AllFormats);
    reader.setBiasMinutes(-60);
    reader.listFolders(dir.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));

    // Every file that reads is taken; only the video's own date is its own.
    ASSERT_EQ(reader.catalogue().size(), 4u);
    for (const PictureRecord& r : reader.catalogue()) {
        const bool dated = r.path == dir.str() + "/dated.MOV";
        EXPECT_EQ(r.block->dateFromFile, !dated) << r.path;
        EXPECT_EQ(r.block->dateSource, dated ? DateSource::Video : DateSource::FileTime) << r.path;
        if (dated) {
            EXPECT_EQ(r.createTime, pictureTimeStamp("2024:07:01 12:20:30", -60));
        }
        // The film makes a video's thumbnail when it shows it.
        if (r.path.find(".webp") == std::string::npos) {
            EXPECT_EQ(r.exif().thumbnailSize, 0u) << r.path;
        }
    }
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_EQ(reasons["garbage.m4v"].rfind("damaged: not a readable video: ", 0), 0u) << reasons["garbage.m4v"];
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace dz
