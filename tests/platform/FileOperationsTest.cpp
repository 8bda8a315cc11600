#include "platform/FileSystem.h"
#include "platform/SystemError.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dz {
namespace {

namespace fsys = std::filesystem;
using test::TempDir;

// The steps of a move, callable on their own.
class MoveSteps : public FileSystem {
public:
    using FileSystem::copyFlushed;
    using FileSystem::renameFile;
};

std::string readAll(const fsys::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Bytes that differ from block to block, so a shifted or partial copy shows.
std::string pictureBytes(std::size_t size, unsigned seed = 1) {
    std::string bytes(size, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

// Every name in `folder`, hidden ones included: a temporary file left behind shows here.
std::set<std::string> namesIn(const fsys::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fsys::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// Runs `work` in a child process whose files cannot grow beyond `limit`
// bytes (a write beyond fails with EFBIG, as on a full disk) and returns the
// child's answer: 0 when `work` succeeded, else the error it reported.
int withFileSizeLimit(rlim_t limit, const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit cap = {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &cap);
        ::_exit(work() & 0xFF);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder on /dev/shm, present only when that is another file system than
// the temporary folder.
class OtherFileSystemDir {
public:
    OtherFileSystemDir() {
        std::string pattern = "/dev/shm/dezoredu-test-XXXXXX";
        struct stat shm {};
        struct stat tmp {};
        if (::stat("/dev/shm", &shm) != 0 ||
            ::stat(fsys::temp_directory_path().c_str(), &tmp) != 0 || shm.st_dev == tmp.st_dev ||
            ::mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        path_ = pattern;
    }
    ~OtherFileSystemDir() {
        std::error_code ignored;
        if (!path_.empty()) {
            fsys::remove_all(path_, ignored);
        }
    }
    bool present() const { return !path_.empty(); }
    const fsys::path& path() const { return path_; }

private:
    fsys::path path_;
};

// The mount point that holds `path` by the kernel's own mount table: the
// longest mount point that is `path` or a folder above it.
std::string mountPointByTable(const std::string& path) {
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    std::string best;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        fields >> id >> parent >> device >> root >> point;
        std::string decoded;  // blanks and the like come as \040
        for (std::size_t i = 0; i < point.size(); ++i) {
            if (point[i] == '\\' && i + 3 < point.size()) {
                decoded.push_back(static_cast<char>(std::stoi(point.substr(i + 1, 3), nullptr, 8)));
                i += 3;
            } else {
                decoded.push_back(point[i]);
            }
        }
        const bool above = decoded == "/" || path == decoded ||
                           path.compare(0, decoded.size() + 1, decoded + "/") == 0;
        if (above && decoded.size() >= best.size()) {
            best = decoded;
        }
    }
    return best;
}

TEST(CopyFile, CopiesBytesModeAndTimeWithNothingElseLeftInTheFolder) {
    TempDir dir;
    const std::string bytes = pictureBytes(3 * 1024 * 1024 + 17);
    const auto source = dir.write("in/IMG_0001.JPG", bytes);
    fsys::permissions(source, fsys::perms::owner_read | fsys::perms::owner_write |
                                  fsys::perms::group_read);
    const auto shot = fsys::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fsys::last_write_time(source, shot);
    const auto out = dir.makeDir("out");
    FileSystem fs;
    ASSERT_TRUE(fs.copyFile(source.string(), (out / "Trip-1.jpg").string(), false));
    EXPECT_EQ(readAll(out / "Trip-1.jpg"), bytes);
    EXPECT_EQ(readAll(source), bytes);
    EXPECT_EQ(namesIn(out), (std::set<std::string>{"Trip-1.jpg"}));
    struct stat st {};
    ASSERT_EQ(::stat((out / "Trip-1.jpg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u & ~currentUmask());
    EXPECT_EQ(fsys::last_write_time(out / "Trip-1.jpg"), shot);

    // Files the kernel cannot copy by itself: an empty one and one that
    // reports no size.
    const auto empty = dir.write("in/empty.jpg", "");
    ASSERT_TRUE(fs.copyFile(empty.string(), (out / "empty.jpg").string(), false));
    EXPECT_EQ(fsys::file_size(out / "empty.jpg"), 0u);
    ASSERT_TRUE(fs.copyFile("/proc/self/status", (out / "status").string(), false));
    EXPECT_EQ(readAll(out / "status").rfind("Name:", 0), 0u);
}

TEST(CopyFile, ExistingTargetIsKeptByteForByteUnlessReplaced) {
    TempDir dir;
    const auto source = dir.write("IMG_1.JPG", pictureBytes(200000, 1));
    const std::string old = pictureBytes(5000, 2);
    const auto target = dir.write("out/IMG_1.jpg", old);
    FileSystem fs;
    EXPECT_FALSE(fs.copyFile(source.string(), target.string(), false));
    EXPECT_EQ(fs.lastError(), syserr::kFileExists);
    EXPECT_EQ(readAll(target), old);
    EXPECT_EQ(namesIn(target.parent_path()), (std::set<std::string>{"IMG_1.jpg"}));

    ASSERT_TRUE(fs.copyFile(source.string(), target.string(), true));
    EXPECT_EQ(readAll(target), readAll(source));
    EXPECT_EQ(namesIn(target.parent_path()), (std::set<std::string>{"IMG_1.jpg"}));
}

TEST(CopyFile, ReportsWhatIsMissingOrInTheWay) {
    TempDir dir;
    const auto source = dir.write("IMG_1.JPG", "jpeg");
    const auto folder = dir.makeDir("album");
    FileSystem fs;
    EXPECT_FALSE(fs.copyFile(dir.str() + "/gone.jpg", dir.str() + "/copy.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
    EXPECT_FALSE(fs.copyFile(dir.str() + "/no/gone.jpg", dir.str() + "/copy.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.copyFile(source.string(), dir.str() + "/no/such/copy.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.copyFile(folder.string(), dir.str() + "/copy.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    // A folder where the picture is to go stays, even when replacing.
    EXPECT_FALSE(fs.copyFile(source.string(), folder.string(), true));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_TRUE(fsys::is_directory(folder));
    EXPECT_FALSE(fs.copyFile(source.string(), dir.str() + "/" + std::string(300, 'n'), false));
    EXPECT_EQ(fs.lastError(), syserr::kFilenameTooLong);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"IMG_1.JPG", "album"}));
}

TEST(CopyFile, AWriteThatFailsHalfwayLeavesNoPartialFile) {
    TempDir dir;
    const auto source = dir.write("in/IMG_1.JPG", pictureBytes(1024 * 1024));
    const std::string old = pictureBytes(1000, 3);
    const auto kept = dir.write("out/kept.jpg", old);
    const int fresh = withFileSizeLimit(64 * 1024, [&] {
        FileSystem fs;
        return fs.copyFile(source.string(), dir.str() + "/out/new.jpg", false) ? 0 : fs.lastError();
    });
    EXPECT_NE(fresh, 0);
    const int over = withFileSizeLimit(64 * 1024, [&] {
        FileSystem fs;
        return fs.copyFile(source.string(), kept.string(), true) ? 0 : fs.lastError();
    });
    EXPECT_NE(over, 0);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::set<std::string>{"kept.jpg"}));
    EXPECT_EQ(readAll(kept), old);
}

TEST(CopyFile, ASourceThatCannotBeReadIsAReadErrorNotAWriteError) {
    // The kernel answers a read of this process's memory at address 0 with
    // EIO, as a failing card does.
    TempDir dir;
    const auto out = dir.makeDir("out");
    FileSystem fs;
    EXPECT_FALSE(fs.copyFile("/proc/self/mem", (out / "IMG_0001.jpg").string(), false));
    EXPECT_EQ(fs.lastError(), syserr::kReadFault);
    EXPECT_TRUE(namesIn(out).empty());
    std::string hash;
    EXPECT_FALSE(fs.hashFile("/proc/self/mem", hash));
    EXPECT_EQ(fs.lastError(), syserr::kReadFault);
}

TEST(MoveFile, RenamesWithinOneFileSystem) {
    TempDir dir;
    const std::string first = pictureBytes(70000, 1);
    const std::string second = pictureBytes(9000, 2);
    const auto a = dir.write("in/a.jpg", first);
    const auto b = dir.write("in/b.jpg", second);
    const auto target = dir.makeDir("out") / "a.jpg";
    FileSystem fs;
    ASSERT_TRUE(fs.moveFile(a.string(), target.string(), false));
    EXPECT_FALSE(fsys::exists(a));
    EXPECT_EQ(readAll(target), first);

    // A refused move reports the name as taken; both files stay as they were.
    EXPECT_FALSE(fs.moveFile(b.string(), target.string(), false));
    EXPECT_EQ(fs.lastError(), syserr::kAlreadyExists);
    EXPECT_EQ(readAll(b), second);
    EXPECT_EQ(readAll(target), first);

    ASSERT_TRUE(fs.moveFile(b.string(), target.string(), true));
    EXPECT_FALSE(fsys::exists(b));
    EXPECT_EQ(readAll(target), second);
}

TEST(MoveFile, ReportsAMissingSourceOrFolderAndKeepsTheSource) {
    TempDir dir;
    const auto a = dir.write("a.jpg", "jpeg");
    FileSystem fs;
    EXPECT_FALSE(fs.moveFile(dir.str() + "/gone.jpg", dir.str() + "/b.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
    EXPECT_FALSE(fs.moveFile(dir.str() + "/no/gone.jpg", dir.str() + "/b.jpg", true));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.moveFile(a.string(), dir.str() + "/no/such/b.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.moveFile(a.string(), dir.str() + "/no/such/b.jpg", true));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_EQ(readAll(a), "jpeg");
}

TEST(MoveFile, CrossesFileSystemsByAVerifiedCopyThenRemovesTheSource) {
    OtherFileSystemDir other;
    if (!other.present()) {
        GTEST_SKIP() << "/dev/shm is on the same file system as the temporary folder";
    }
    TempDir dir;
    const std::string bytes = pictureBytes(2 * 1024 * 1024 + 5);
    const auto source = dir.write("IMG_1.JPG", bytes);
    fsys::permissions(source, fsys::perms::owner_read | fsys::perms::owner_write);
    const std::string target = (other.path() / "IMG_1.jpg").string();
    MoveSteps fs;
    EXPECT_FALSE(fs.renameFile(source.string(), target, false));
    EXPECT_EQ(fs.lastError(), syserr::kNotSameDevice);
    EXPECT_FALSE(fs.renameFile(source.string(), target, true));
    EXPECT_EQ(fs.lastError(), syserr::kNotSameDevice);

    ASSERT_TRUE(fs.moveFile(source.string(), target, false));
    EXPECT_FALSE(fsys::exists(source));
    EXPECT_EQ(readAll(target), bytes);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u & ~currentUmask());

    const std::string next = pictureBytes(3000, 9);
    const auto second = dir.write("IMG_2.JPG", next);
    EXPECT_FALSE(fs.moveFile(second.string(), target, false));
    EXPECT_EQ(fs.lastError(), syserr::kAlreadyExists);
    EXPECT_EQ(readAll(second), next);
    EXPECT_EQ(readAll(target), bytes);
    ASSERT_TRUE(fs.moveFile(second.string(), target, true));
    EXPECT_FALSE(fsys::exists(second));
    EXPECT_EQ(readAll(target), next);
    EXPECT_EQ(namesIn(other.path()), (std::set<std::string>{"IMG_1.jpg"}));
}

TEST(CopyFlushed, LeavesTheSourceAndRefusesAnExistingTargetAsAMoveDoes) {
    TempDir dir;
    const std::string bytes = pictureBytes(300000);
    const auto source = dir.write("IMG_1.JPG", bytes);
    const std::string target = dir.str() + "/out/IMG_1.jpg";
    dir.makeDir("out");
    MoveSteps fs;
    ASSERT_TRUE(fs.copyFlushed(source.string(), target, false));
    EXPECT_EQ(readAll(source), bytes);
    EXPECT_EQ(readAll(target), bytes);
    EXPECT_FALSE(fs.copyFlushed(source.string(), target, false));
    EXPECT_EQ(fs.lastError(), syserr::kAlreadyExists);
    EXPECT_FALSE(fs.copyFlushed(source.string(), dir.str() + "/none/IMG_1.jpg", false));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::set<std::string>{"IMG_1.jpg"}));
}

TEST(RemoveFile, RemovesAFileAndReportsWhyNot) {
    TempDir dir;
    const auto a = dir.write("a.jpg", "x");
    const auto folder = dir.makeDir("folder");
    FileSystem fs;
    ASSERT_TRUE(fs.removeFile(a.string()));
    EXPECT_FALSE(fsys::exists(a));
    EXPECT_FALSE(fs.removeFile(a.string()));
    EXPECT_EQ(fs.lastError(), syserr::kFileNotFound);
    EXPECT_FALSE(fs.removeFile(dir.str() + "/no/a.jpg"));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.removeFile(folder.string()));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_TRUE(fsys::is_directory(folder));
}

TEST(WriteFile, WritesTheWholeFileAndKeepsAnExistingFilesMode) {
    TempDir dir;
    const std::string path = dir.str() + "/work.fls";
    FileSystem fs;
    const std::string longer = pictureBytes(100000);
    ASSERT_TRUE(fs.writeFile(path, bytesOf(longer)));
    EXPECT_EQ(readAll(path), longer);
    fsys::permissions(path, fsys::perms::owner_read | fsys::perms::owner_write);
    ASSERT_TRUE(fs.writeFile(path, bytesOf("short")));
    EXPECT_EQ(readAll(path), "short");
    EXPECT_EQ(fsys::status(path).permissions(), fsys::perms::owner_read | fsys::perms::owner_write);
    ASSERT_TRUE(fs.writeFile(path, {}));
    EXPECT_EQ(fsys::file_size(path), 0u);

    // Through a link the linked file is written and the link stays.
    fsys::create_symlink(path, dir.path() / "link.fls");
    ASSERT_TRUE(fs.writeFile(dir.str() + "/link.fls", bytesOf("linked")));
    EXPECT_TRUE(fsys::is_symlink(dir.path() / "link.fls"));
    EXPECT_EQ(readAll(path), "linked");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"work.fls", "link.fls"}));
}

TEST(WriteFile, ReportsMissingFolderAndFolderInTheWay) {
    TempDir dir;
    dir.makeDir("session.fls");
    FileSystem fs;
    EXPECT_FALSE(fs.writeFile(dir.str() + "/no/such.fls", bytesOf("x")));
    EXPECT_EQ(fs.lastError(), syserr::kPathNotFound);
    EXPECT_FALSE(fs.writeFile(dir.str() + "/session.fls", bytesOf("x")));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_TRUE(fsys::is_directory(dir.path() / "session.fls"));
}

TEST(WriteFile, AFileTheUserMayNotWriteStaysAsItWas) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes every file";
    }
    TempDir dir;
    const auto path = dir.write("locked.fls", "earlier");
    fsys::permissions(path, fsys::perms::owner_read);
    FileSystem fs;
    EXPECT_FALSE(fs.writeFile(path.string(), bytesOf("later")));
    EXPECT_EQ(fs.lastError(), syserr::kAccessDenied);
    EXPECT_EQ(readAll(path), "earlier");
}

TEST(WriteFile, AFailedWriteKeepsTheEarlierFile) {
    TempDir dir;
    const std::string earlier = pictureBytes(4000);
    const auto path = dir.write("work.fls", earlier);
    const int answer = withFileSizeLimit(16 * 1024, [&] {
        FileSystem fs;
        return fs.writeFile(path.string(), bytesOf(pictureBytes(200000))) ? 0 : fs.lastError();
    });
    EXPECT_NE(answer, 0);
    EXPECT_EQ(readAll(path), earlier);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"work.fls"}));
}

TEST(VolumeOf, IsTheMountPointThatHoldsThePathOrItsNearestFolder) {
    TempDir dir;
    dir.makeDir("one");
    dir.makeDir("two/deeper");
    FileSystem fs;
    const std::string canonical = fsys::canonical(dir.path()).string();
    const std::string volume = fs.volumeOf(dir.str());
    EXPECT_EQ(volume, mountPointByTable(canonical));
    EXPECT_EQ(fs.volumeOf(dir.str() + "/one"), volume);
    EXPECT_EQ(fs.volumeOf(dir.str() + "/two/deeper"), volume);
    // Not there yet: the folder above answers.
    EXPECT_EQ(fs.volumeOf(dir.str() + "/two/new/IMG_1.jpg"), volume);
    EXPECT_EQ(fs.volumeOf("/"), "/");
    EXPECT_EQ(fs.volumeOf("/proc/self/status"), "/proc");
    EXPECT_EQ(fs.volumeOf(""), "");
    EXPECT_EQ(fs.volumeOf("no-such-folder-here/IMG_1.jpg"), "");
}

TEST(VolumeOf, TellsAnotherFileSystemApart) {
    OtherFileSystemDir other;
    if (!other.present()) {
        GTEST_SKIP() << "/dev/shm is on the same file system as the temporary folder";
    }
    TempDir dir;
    FileSystem fs;
    EXPECT_EQ(fs.volumeOf(other.path().string()), mountPointByTable(other.path().string()));
    EXPECT_NE(fs.volumeOf(other.path().string()), fs.volumeOf(dir.str()));
}

}  // namespace
}  // namespace dz
