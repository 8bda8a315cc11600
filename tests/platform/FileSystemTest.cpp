#include "platform/FileSystem.h"
#include "platform/SystemError.h"
#include "platform/TimeZone.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {
namespace {

using test::TempDir;

const DirEntry* findEntry(const std::vector<DirEntry>& entries, const std::string& name) {
    for (const DirEntry& e : entries) {
        if (e.name == name) {
            return &e;
        }
    }
    return nullptr;
}

std::vector<std::string> names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> out;
    for (const DirEntry& e : entries) {
        out.push_back(e.name);
    }
    return out;
}

struct MaskCase {
    const char* name;
    const char* mask;
    bool matches;
};

class MaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, MatchesAsWildcard) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(matchesMask(c.name, c.mask), c.matches) << c.name << " vs " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTest,
    ::testing::Values(MaskCase{"photo.jpg", "*.jpg", true}, MaskCase{"PHOTO.JPG", "*.jpg", true},
                      MaskCase{"Photo.JpG", "*.JPG", true}, MaskCase{"photo.jpeg", "*.jpg", false},
                      MaskCase{"photo.jpg.bak", "*.jpg", false}, MaskCase{".jpg", "*.jpg", true},
                      MaskCase{"jpg", "*.jpg", false}, MaskCase{"a.jpg.jpg", "*.jpg", true},
                      MaskCase{"img1.jpg", "img?.jpg", true}, MaskCase{"img.jpg", "img?.jpg", false},
                      MaskCase{"img12.jpg", "img?.jpg", false}, MaskCase{"abc", "*", true},
                      MaskCase{"", "*", true}, MaskCase{"README", "*.*", true},
                      MaskCase{"a.b", "*.*", true}, MaskCase{"aXbXc", "a*b*c", true},
                      MaskCase{"aXbX", "a*b*c", false}, MaskCase{"\xC3\x89T\xC3\x89.jpg", "*.jpg", true},
                      MaskCase{"\xC3\xA9", "\xC3\x89", false}));

TEST(ListDirectory, SortsByNameBytewiseAndFiltersByMask) {
    TempDir dir;
    dir.write("b.jpg", "x");
    dir.write("A.JPG", "x");
    dir.write("a.jpg", "x");
    dir.write("notes.txt", "x");
    dir.write("\xC3\xA9t\xC3\xA9.jpg", "x");
    dir.makeDir("sub.jpg");
    FileSystem fs;
    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.listDirectory(dir.str(), "*.jpg", entries));
    EXPECT_EQ(names(entries),
              (std::vector<std::string>{"A.JPG", "a.jpg", "b.jpg", "sub.jpg", "\xC3\xA9t\xC3\xA9.jpg"}));
    ASSERT_TRUE(fs.listDirectory(dir.str(), "*.*", entries));
    EXPECT_EQ(entries.size(), 6u);
    EXPECT_EQ(findEntry(entries, "."), nullptr);
    EXPECT_EQ(findEntry(entries, ".."), nullptr);
}

TEST(ListDirectory, ReportsAttributesSizeAndTime) {
    TempDir dir;
    dir.write("plain.jpg", std::string(1234, 'x'));
    dir.write(".hidden.jpg", "x");
    const auto locked = dir.write("locked.jpg", "xy");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    dir.makeDir("folder");
    FileSystem fs;
    std::vector<DirEntry> entries;
    const auto before = std::chrono::system_clock::now() - std::chrono::minutes(5);
    ASSERT_TRUE(fs.listDirectory(dir.str(), "*", entries));

    const DirEntry* plain = findEntry(entries, "plain.jpg");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->attributes, attr::kArchive);
    EXPECT_EQ(plain->size, 1234u);
    const std::int64_t earliest = fileTimeFromUnix(
        std::chrono::duration_cast<std::chrono::seconds>(before.time_since_epoch()).count());
    EXPECT_GT(plain->creationTime, earliest);
    EXPECT_LT(plain->creationTime, earliest + 10 * 60 * kFileTimePerSecond);

    const DirEntry* hidden = findEntry(entries, ".hidden.jpg");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->attributes, attr::kArchive | attr::kHidden);

    const DirEntry* ro = findEntry(entries, "locked.jpg");
    ASSERT_NE(ro, nullptr);
    EXPECT_EQ(ro->attributes, attr::kArchive | attr::kReadOnly);

    const DirEntry* folder = findEntry(entries, "folder");
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->isDirectory());
    EXPECT_EQ(folder->attributes & attr::kArchive, 0u);
}

TEST(ListDirectory, LinkedFolderAndFileReadAsTheirTargets) {
    TempDir dir;
    dir.write("real/pic.jpg", std::string(77, 'x'));
    dir.makeDir("other");
    std::filesystem::create_directory_symlink(dir.path() / "real", dir.path() / "loop");
    std::filesystem::create_symlink(dir.path() / "real" / "pic.jpg", dir.path() / "link.jpg");
    FileSystem fs;
    std::vector<DirEntry> entries;
    ASSERT_TRUE(fs.listDirectory(dir.str(), "*", entries));
    const DirEntry* loop = findEntry(entries, "loop");
    ASSERT_NE(loop, nullptr);
    EXPECT_TRUE(loop->isDirectory());
    const DirEntry* link = findEntry(entries, "link.jpg");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->size, 77u);

    // A link and its folder are one folder; another folder is not.
    FolderIdentity real;
    FolderIdentity linked;
    FolderIdentity other;
    ASSERT_TRUE(fs.identify(dir.str() + "/real", real));
    ASSERT_TRUE(fs.identify(dir.str() + "/loop", linked));
    ASSERT_TRUE(fs.identify(dir.str() + "/other", other));
    EXPECT_EQ(linked, real);
    EXPECT_NE(other, real);
    EXPECT_FALSE(fs.identify(dir.str() + "/missing", other));
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
}

TEST(ListDirectory, MissingFolderIsPathNotFound) {
    TempDir dir;
    FileSystem fs;
    std::vector<DirEntry> entries;
    EXPECT_FALSE(fs.listDirectory(dir.str() + "/nope", "*", entries));
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
    EXPECT_FALSE(fs.listDirectory(dir.str() + "/nope/deeper", "*", entries));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    const auto file = dir.write("file.jpg", "x");
    EXPECT_FALSE(fs.listDirectory(file.string(), "*", entries));
    EXPECT_EQ(fs.lastError(), syserr::kDirectory);
}

TEST(OpenRead, FailsOnFoldersAndMissingFilesWithTheirErrors) {
    TempDir dir;
    dir.makeDir("x.jpg");
    FileSystem fs;
    EXPECT_EQ(fs.openRead(dir.str() + "/x.jpg"), nullptr);
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_EQ(fs.openRead(dir.str() + "/missing.jpg"), nullptr);
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
    EXPECT_EQ(fs.openRead(dir.str() + "/gone/missing.jpg"), nullptr);
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
}

TEST(OpenRead, AFifoWhereAFileShouldBeIsRefusedWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.str() + "/planted.fls";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    FileSystem fs;
    EXPECT_EQ(fs.openRead(fifo), nullptr);
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
}

TEST(OpenRead, UnreadableFileIsAccessDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempDir dir;
    const auto p = dir.write("secret.jpg", "x");
    std::filesystem::permissions(p, std::filesystem::perms::none);
    FileSystem fs;
    EXPECT_EQ(fs.openRead(p.string()), nullptr);
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
}

TEST(OpenRead, MixesSingleBytesAndBlocksInFileOrder) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<char>(i & 0xFF));
    }
    const auto p = dir.write("data.bin", bytes);
    FileSystem fs;
    auto source = fs.openRead(p.string());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->readByte(), 0);
    EXPECT_EQ(source->readByte(), 1);
    std::uint8_t block[200] = {};
    // Drains the two buffered bytes, then reads on from the file.
    ASSERT_EQ(source->read(block, 5), 5u);
    EXPECT_EQ(block[0], 2);
    EXPECT_EQ(block[4], 6);
    EXPECT_EQ(source->readByte(), 7);
    ASSERT_EQ(source->read(block, 1), 1u);
    EXPECT_EQ(block[0], 8);
    ASSERT_EQ(source->read(block, 200), 200u);
    EXPECT_EQ(block[0], 9);
    EXPECT_EQ(block[199], 208);
    // 91 bytes remain; a longer request returns what is there.
    ASSERT_EQ(source->read(block, 200), 91u);
    EXPECT_EQ(block[90], 299 & 0xFF);
    EXPECT_EQ(source->readByte(), -1);
    EXPECT_EQ(source->read(block, 10), 0u);
}

TEST(OpenRead, EmptyFileEndsAtOnce) {
    TempDir dir;
    const auto p = dir.write("empty.jpg", "");
    FileSystem fs;
    auto source = fs.openRead(p.string());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->readByte(), -1);
}

TEST(CreateDirectory, CreatesOnceAndReportsWhyItFails) {
    TempDir dir;
    FileSystem fs;
    const std::string target = dir.str() + "/album";
    ASSERT_TRUE(fs.createDirectory(target));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_TRUE(fs.exists(target));
    EXPECT_FALSE(fs.createDirectory(target));
    EXPECT_EQ(fs.lastError(), syserr::kAlreadyExists);
    EXPECT_FALSE(fs.createDirectory(dir.str() + "/no/such"));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.createDirectory(dir.str() + "/" + std::string(300, 'n')));
    EXPECT_EQ(fs.lastError(), syserr::kFilenameTooLong);
}

TEST(Exists, MissingPathsSetTheirError) {
    TempDir dir;
    FileSystem fs;
    EXPECT_TRUE(fs.exists(dir.str()));
    EXPECT_FALSE(fs.exists(dir.str() + "/none"));
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
}

TEST(FreeSpace, MatchesTheFileSystemFigures) {
    TempDir dir;
    FileSystem fs;
    std::uint64_t bytes = 0;
    ASSERT_TRUE(fs.freeSpace(dir.str(), bytes));
    const auto info = std::filesystem::space(dir.path());
    // Other processes write meanwhile; the two readings stay close.
    const auto diff = bytes > info.available ? bytes - info.available : info.available - bytes;
    EXPECT_LT(diff, 256u * 1024 * 1024);
    EXPECT_FALSE(fs.freeSpace(dir.str() + "/none/x", bytes));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
}

}  // namespace
}  // namespace dz
