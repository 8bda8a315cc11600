#include "process/SpacePlan.h"

#include "platform/SystemError.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace dz::test {
namespace {

// A file system whose free space and volumes the test chooses, so the
// thresholds can be met to the byte.
class SizedFileSystem : public FileSystem {
public:
    bool freeSpace(const std::string&, std::uint64_t& bytes) override {
        ++queries;
        if (failures > 0) {
            --failures;
            setLastError(failError);
            return false;
        }
        bytes = freeBytes;
        return true;
    }
    std::string volumeOf(const std::string& path) override {
        for (const auto& [prefix, volume] : volumes) {
            if (path.rfind(prefix, 0) == 0) {
                return volume;
            }
        }
        return {};
    }

    std::uint64_t freeBytes = 0;
    int failures = 0;
    int failError = 21;
    int queries = 0;
    std::map<std::string, std::string> volumes{{"/photos", "/"}, {"/target", "/"}, {"/media/usb", "/media/usb"}};
};

constexpr std::uint64_t kMB = 1048576;

PictureRecord pictureOfSize(std::uint64_t size) {
    PictureRecord picture;
    picture.path = "/photos/a.jpg";
    picture.size = size;
    picture.block = std::make_shared<PictureBlock>();
    return picture;
}

class SpacePlanTest : public ::testing::Test {
protected:
    SpacePlan plan(bool move, const std::string& target) {
        return planSpace(SpaceQuestion{move, target, &catalogue, &albums}, fs, host);
    }
    void addAlbum(float sizeMB, bool processed = false) {
        Album album;
        album.sizeMB = sizeMB;
        album.isProcessed = processed ? 1 : 0;
        albums.push_back(album);
    }

    SizedFileSystem fs;
    ScriptedHost host;
    std::vector<PictureRecord> catalogue{pictureOfSize(3 * kMB), pictureOfSize(7 * kMB)};
    AlbumList albums;
};

TEST_F(SpacePlanTest, CopyNeedsTheAlbumsAndFiveMegabytesMore) {
    addAlbum(100.0f);
    fs.freeBytes = static_cast<std::uint64_t>(104.9 * kMB);
    SpacePlan p = plan(false, "/target");
    EXPECT_FALSE(p.canProcess);
    EXPECT_EQ(p.status, " Not enough space on /:(104.900MB)");
    EXPECT_EQ(p.hint, "Please free -4.90MB aditionl space on /:");

    fs.freeBytes = 105 * kMB;
    p = plan(false, "/target");
    EXPECT_TRUE(p.canProcess);
    EXPECT_EQ(p.status, " Found enough space on /:(105.000MB)");
    EXPECT_EQ(p.hint, "Press 'Process' to create albums. (By copy)");
}

TEST_F(SpacePlanTest, MoveWithinOneFileSystemNeedsRoomForTheLargestPictureOnly) {
    addAlbum(5000.0f);
    fs.freeBytes = 13 * kMB;  // 7 MB picture + 5 MB margin
    SpacePlan p = plan(true, "/target");
    EXPECT_TRUE(p.canProcess);
    EXPECT_FLOAT_EQ(p.needMB, 7.0f);
    EXPECT_EQ(p.hint, "Press 'Process' to create albums. (By move)");

    // To another file system the whole albums count.
    p = plan(true, "/media/usb/photos");
    EXPECT_FALSE(p.canProcess);
    EXPECT_FLOAT_EQ(p.needMB, 5000.0f);
    EXPECT_EQ(p.status, " Not enough space on /media/usb:(13.000MB)");
    EXPECT_EQ(p.hint, "Please free 4987.00MB aditionl space on /media/usb:");

    // A target on no known file system is never "the same drive".
    fs.volumes.clear();
    p = plan(true, "/target");
    EXPECT_FLOAT_EQ(p.needMB, 5000.0f);
    EXPECT_EQ(p.status, " Not enough space on NONE:(13.000MB)");
}

TEST_F(SpacePlanTest, ProcessedAlbumsNeedNothing) {
    addAlbum(100.0f, true);
    addAlbum(50.0f);
    fs.freeBytes = 60 * kMB;
    SpacePlan p = plan(false, "/target");
    EXPECT_TRUE(p.canProcess);
    EXPECT_FLOAT_EQ(p.needMB, 50.0f);

    albums[1].isProcessed = 1;
    p = plan(false, "/target");
    EXPECT_FALSE(p.canProcess);
    EXPECT_EQ(p.status, " Found enough free space.");
    EXPECT_EQ(p.hint, "All albums are already processed.");
}

TEST_F(SpacePlanTest, FailingQueryIsAskedAgainWhileTheAnswerIsRetry) {
    addAlbum(1.0f);
    fs.freeBytes = 100 * kMB;
    fs.failures = 2;
    host.answer(Answer::Retry);
    host.answer(Answer::Retry);
    SpacePlan p = plan(false, "/target");
    EXPECT_EQ(fs.queries, 3);
    EXPECT_TRUE(p.canProcess);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "The device is not ready. Continue?");
}

TEST_F(SpacePlanTest, NotReadyWinsOverAllProcessed) {
    addAlbum(1.0f, true);
    fs.failures = 5;
    host.answer(Answer::Retry);
    host.answer(Answer::Ignore);
    SpacePlan p = plan(false, "/media/usb");
    EXPECT_EQ(fs.queries, 2);
    EXPECT_FALSE(p.canProcess);
    EXPECT_EQ(p.status, " Drive /media/usb: not ready!");
    EXPECT_EQ(p.hint, "Please select other drive.");
}

}  // namespace
}  // namespace dz::test
