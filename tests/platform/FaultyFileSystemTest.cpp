#include "platform/FaultyFileSystem.h"
#include "platform/SystemError.h"

#include "TempDir.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dz {
namespace {

namespace fsys = std::filesystem;
using test::TempDir;
using Kind = FileCall::Kind;

std::string readAll(const fsys::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> namesIn(const fsys::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fsys::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A source folder of real little pictures, each with its own shot time.
struct Pictures {
    explicit Pictures(const TempDir& dir, int count) {
        for (int i = 1; i <= count; ++i) {
            const std::string name = "IMG_000" + std::to_string(i) + ".JPG";
            const std::string time = "2006:05:14 10:0" + std::to_string(i) + ":00";
            bytes.push_back(test::tinyExifJpeg(time));
            paths.push_back(dir.write("source/" + name, bytes.back()).string());
            targets.push_back(dir.str() + "/target/" + name);
        }
        fsys::create_directories(dir.path() / "target");
    }
    std::vector<std::string> bytes;
    std::vector<std::string> paths;
    std::vector<std::string> targets;
};

TEST(FaultyFileSystem, CountsAndLogsOnlyTheOperationsThatChangeTheDisk) {
    TempDir dir;
    const std::string d = dir.str();
    const auto source = dir.write("a.jpg", "jpeg");
    FaultyFileSystem fs;
    ASSERT_TRUE(fs.createDirectory(d + "/album"));
    ASSERT_TRUE(fs.copyFile(source.string(), d + "/album/a.jpg", false));
    EXPECT_FALSE(fs.copyFile(source.string(), d + "/album/a.jpg", false));
    std::uint64_t space = 0;
    ASSERT_TRUE(fs.freeSpace(d, space));
    ASSERT_TRUE(fs.writeFile(d + "/work.fls", {1, 2, 3}));
    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.listDirectory(d, "*", entries));
    EXPECT_TRUE(fs.exists(d + "/work.fls"));
    EXPECT_NE(fs.openRead(d + "/work.fls"), nullptr);
    EXPECT_FALSE(fs.volumeOf(d).empty());
    ASSERT_TRUE(fs.moveFile(d + "/album/a.jpg", d + "/b.jpg", false));
    ASSERT_TRUE(fs.removeFile(d + "/b.jpg"));

    EXPECT_EQ(fs.operationCount(), 7);
    EXPECT_EQ(fs.callTexts(), (std::vector<std::string>{
                                  "mkdir " + d + "/album",
                                  "copy " + source.string() + " -> " + d + "/album/a.jpg",
                                  "copy " + source.string() + " -> " + d + "/album/a.jpg failed 80",
                                  "free space " + d,
                                  "write " + d + "/work.fls",
                                  "rename " + d + "/album/a.jpg -> " + d + "/b.jpg",
                                  "remove " + d + "/b.jpg",
                              }));
    EXPECT_GT(space, 0u);
}

TEST(FaultyFileSystem, TheThirdOperationFailsWithDiskFullAndTouchesNothing) {
    TempDir dir;
    const Pictures pictures(dir, 5);
    FaultyFileSystem fs;
    fs.failOperation(3, syserr::kHandleDiskFull);
    for (int i = 0; i < 5; ++i) {
        const bool copied = fs.copyFile(pictures.paths[i], pictures.targets[i], false);
        EXPECT_EQ(copied, i != 2) << i;
        if (!copied) {
            EXPECT_EQ(fs.lastError(), syserr::kHandleDiskFull);
        }
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(readAll(pictures.paths[i]), pictures.bytes[i]) << i;
        EXPECT_EQ(fsys::exists(pictures.targets[i]), i != 2) << i;
    }
    EXPECT_EQ(fs.calls()[2].error, syserr::kHandleDiskFull);
    EXPECT_TRUE(fs.calls()[2].injected);
    EXPECT_EQ(namesIn(dir.path() / "target").size(), 4u);
}

TEST(FaultyFileSystem, PlannedFaultsCountFromNowAndOneCanWaitBehindAnother) {
    TempDir dir;
    FaultyFileSystem fs;
    ASSERT_TRUE(fs.createDirectory(dir.str() + "/one"));
    fs.failOperation(2, syserr::kWriteFault);
    fs.failOperation(1, syserr::kAccessDenied);
    EXPECT_FALSE(fs.createDirectory(dir.str() + "/two"));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_FALSE(fs.writeFile(dir.str() + "/work.fls", {1}));
    EXPECT_EQ(fs.lastError(), syserr::kWriteFault);
    EXPECT_TRUE(fs.createDirectory(dir.str() + "/three"));
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"one", "three"}));
}

TEST(FaultyFileSystem, EveryOperationOfOneKindFailsUntilCleared) {
    TempDir dir;
    const Pictures pictures(dir, 3);
    FaultyFileSystem fs;
    fs.failEvery(Kind::Copy, syserr::kHandleDiskFull);
    fs.failOperation(3, syserr::kWriteFault);
    EXPECT_FALSE(fs.copyFile(pictures.paths[0], pictures.targets[0], false));
    EXPECT_TRUE(fs.writeFile(dir.str() + "/work.fls", {1}));
    EXPECT_FALSE(fs.copyFile(pictures.paths[1], pictures.targets[1], false));
    EXPECT_EQ(fs.lastError(), syserr::kWriteFault);
    EXPECT_FALSE(fs.copyFile(pictures.paths[1], pictures.targets[1], false));
    EXPECT_EQ(fs.lastError(), syserr::kHandleDiskFull);
    fs.clearFaults();
    EXPECT_TRUE(fs.copyFile(pictures.paths[2], pictures.targets[2], false));
    EXPECT_EQ(namesIn(dir.path() / "target"), (std::set<std::string>{"IMG_0003.JPG"}));
}

TEST(FaultyMove, AcrossTheBoundaryCopiesFlushedThenRemovesTheSource) {
    TempDir dir;
    const Pictures pictures(dir, 1);
    FaultyFileSystem fs;
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    ASSERT_TRUE(fs.moveFile(pictures.paths[0], pictures.targets[0], false));
    EXPECT_FALSE(fsys::exists(pictures.paths[0]));
    EXPECT_EQ(readAll(pictures.targets[0]), pictures.bytes[0]);
    const std::string from = pictures.paths[0];
    const std::string to = pictures.targets[0];
    EXPECT_EQ(fs.callTexts(), (std::vector<std::string>{
                                  "rename " + from + " -> " + to + " failed 17 injected",
                                  "flushed copy " + from + " -> " + to,
                                  "remove " + from,
                              }));
}

TEST(FaultyMove, AFailedCopyLeavesTheSourceWholeAndNoTarget) {
    TempDir dir;
    const Pictures pictures(dir, 2);
    FaultyFileSystem fs;
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    fs.failOperation(2, syserr::kHandleDiskFull);  // the flushed copy after the rename
    EXPECT_FALSE(fs.moveFile(pictures.paths[0], pictures.targets[0], false));
    EXPECT_EQ(fs.lastError(), syserr::kHandleDiskFull);
    EXPECT_EQ(readAll(pictures.paths[0]), pictures.bytes[0]);
    EXPECT_EQ(fs.operationCount(), 2);  // nothing was removed

    // Onto a picture already there: refused like a plain move, both kept.
    ASSERT_TRUE(fs.copyFile(pictures.paths[1], pictures.targets[0], false));
    EXPECT_FALSE(fs.moveFile(pictures.paths[0], pictures.targets[0], false));
    EXPECT_EQ(fs.lastError(), syserr::kAlreadyExists);
    EXPECT_EQ(readAll(pictures.paths[0]), pictures.bytes[0]);
    EXPECT_EQ(readAll(pictures.targets[0]), pictures.bytes[1]);
    EXPECT_EQ(namesIn(dir.path() / "target"), (std::set<std::string>{"IMG_0001.JPG"}));
}

TEST(FaultyMove, ACopyThatBreaksOffOnTheDiskLeavesTheSourceWholeAndNoTarget) {
    TempDir dir;
    const std::string big(512 * 1024, 'j');
    const auto source = dir.write("source/IMG_1.JPG", big);
    const std::string target = dir.str() + "/target/IMG_1.jpg";
    dir.makeDir("target");
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit cap = {64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &cap);
        FaultyFileSystem fs;
        fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
        const bool moved = fs.moveFile(source.string(), target, false);
        ::_exit(moved ? 0 : fs.operationCount() == 2 ? 1 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readAll(source), big);
    EXPECT_TRUE(namesIn(dir.path() / "target").empty());
}

TEST(FaultyMove, ASourceThatCannotBeRemovedStaysBesideItsCopy) {
    TempDir dir;
    const Pictures pictures(dir, 1);
    FaultyFileSystem fs;
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    fs.failEvery(Kind::Remove, syserr::kAccessDenied);
    EXPECT_FALSE(fs.moveFile(pictures.paths[0], pictures.targets[0], false));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_EQ(readAll(pictures.paths[0]), pictures.bytes[0]);
    EXPECT_EQ(readAll(pictures.targets[0]), pictures.bytes[0]);
}

TEST(FaultyMove, OntoItselfAcrossTheBoundaryKeepsThePicture) {
    TempDir dir;
    const Pictures pictures(dir, 1);
    FaultyFileSystem fs;
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    // Two names of one folder on two mounts look like two file systems; the
    // copy lands on the source itself, which then must not be removed.
    EXPECT_TRUE(fs.moveFile(pictures.paths[0], pictures.paths[0], true));
    EXPECT_EQ(readAll(pictures.paths[0]), pictures.bytes[0]);
}

TEST(FaultyFileSystem, FoldersSetOnOtherVolumesMoveByCopy) {
    TempDir dir;
    const Pictures pictures(dir, 2);
    const std::string d = dir.str();
    FaultyFileSystem fs;
    const std::string real = fs.volumeOf(d);
    fs.setVolume(d + "/target", "/media/card");
    EXPECT_EQ(fs.volumeOf(d + "/target"), "/media/card");
    EXPECT_EQ(fs.volumeOf(d + "/target/2006/IMG_1.jpg"), "/media/card");
    EXPECT_EQ(fs.volumeOf(d + "/targets"), real);
    EXPECT_EQ(fs.volumeOf(d + "/source"), real);

    ASSERT_TRUE(fs.moveFile(pictures.paths[0], pictures.targets[0], false));
    EXPECT_EQ(readAll(pictures.targets[0]), pictures.bytes[0]);
    EXPECT_FALSE(fsys::exists(pictures.paths[0]));
    ASSERT_EQ(fs.calls().size(), 3u);
    EXPECT_EQ(fs.calls()[0].error, syserr::kNotSameDevice);
    EXPECT_EQ(fs.calls()[1].kind, Kind::CopyFlushed);

    // Within the one volume a move stays a rename.
    ASSERT_TRUE(fs.moveFile(pictures.targets[0], d + "/target/renamed.jpg", false));
    EXPECT_EQ(fs.calls().back().kind, Kind::Rename);
    EXPECT_EQ(fs.calls().back().error, 0);
}

}  // namespace
}  // namespace dz
