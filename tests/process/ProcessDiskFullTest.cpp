#include "ProcessFixture.h"

#include "platform/ConfigFolder.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace dz::test {
namespace {

// A target on a real file system that fills up in the middle of the run.
class ProcessDiskFullTest : public ProcessFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (::mount("tmpfs", target.str().c_str(), "tmpfs", 0, "size=1m") != 0) {
            GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs root): " << std::strerror(errno);
        }
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) {
            // The window holds the journal open there: it goes first, or the unmount is refused.
            window.reset();
            EXPECT_EQ(::umount(target.str().c_str()), 0) << std::strerror(errno);
        }
    }
    bool mounted_ = false;
};

TEST_P(ProcessDiskFullTest, NoPictureIsLostOrLeftHalfWritten) {
    const bool move = GetParam();
    for (int i = 0; i < 6; ++i) {
        PictureRecord& p = addPicture("IMG_000" + std::to_string(i) + ".JPG", "2006:05:14 10:20:3" + std::to_string(i),
                                      1, i);
        // 300 KB each: the 1 MB disk takes three.
        std::ofstream(p.path, std::ios::binary | std::ios::app) << std::string(300 * 1024, static_cast<char>('a' + i));
        originals[p.path] = fileBytes(p.path);
        p.size = originals[p.path].size();
    }
    addAlbum(1, "A").createSubDir = 0;
    window = std::make_unique<CProcess>(
        host, fs,
        ProcessJob{albums, catalogue, target.str(), move, NameFormats{1, 1, currentTimeZone().totalBiasMinutes()},
                   true, source.str(), userDataFolder()});
    window->onInit();
    for (int i = 0; i < 8; ++i) {
        host.answer(Answer::Cancel);
    }
    // The space check refuses such a run; a disk filled by another program
    // while the run goes is what this is about.
    window->runProcessing();
    EXPECT_EQ(albums[0].isProcessed, 0);
    bool askedFull = false;
    for (const MessageRequest& m : host.messages) {
        askedFull = askedFull || m.text.rfind("The disk is full.", 0) == 0;
    }
    EXPECT_TRUE(askedFull) << host.messageTexts().front();
    std::vector<std::string> pictures;
    for (const std::string& file : targetFiles()) {
        if (file.rfind(".dezoredu/", 0) != 0) {
            pictures.push_back(file);
        }
    }
    EXPECT_FALSE(pictures.empty());
    EXPECT_LT(pictures.size(), 6u);
    expectEveryPictureKept(move);
}

INSTANTIATE_TEST_SUITE_P(CopyAndMove, ProcessDiskFullTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Move" : "Copy"; });

}  // namespace
}  // namespace dz::test
