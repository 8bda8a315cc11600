// Copies held for a group's flush: no name before the group is placed, and
// a file that took the name meanwhile is kept, the copy reported unplaced.
#include "platform/FileSystem.h"
#include "platform/Sha256.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dz::test {
namespace {

std::size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// `namedTemps`: the file system cannot make unnamed files, so each held copy
// waits under a temporary name beside its target.
void holdTwoCopiesAndPlaceThem(bool namedTemps) {
    TempDir source;
    TempDir target;
    FileSystem fileSystem;
    fileSystem.setHoldCopies(true);
    fileSystem.setHashCopies(true);
    const std::string a = source.write("a.jpg", "picture a").string();
    const std::string b = source.write("b.jpg", "picture b").string();
    ASSERT_TRUE(fileSystem.copyFile(a, target.str() + "/a.jpg", false));
    ASSERT_TRUE(fileSystem.copyFile(b, target.str() + "/b.jpg", false));
    EXPECT_EQ(fileSystem.heldCopyCount(), 2u);
    EXPECT_EQ(fileSystem.heldCopyBytes(), 18u);
    EXPECT_FALSE(std::filesystem::exists(target.path() / "a.jpg"));
    EXPECT_EQ(filesIn(target.path()), namedTemps ? 2u : 0u);
    target.write("b.jpg", "someone else's");

    std::vector<UnplacedCopy> unplaced;
    std::vector<PlacedCopy> placed;
    EXPECT_FALSE(fileSystem.placeHeldCopies(unplaced, placed));
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].target, target.str() + "/a.jpg");
    // Its hash, taken from the copy on the hashing thread, is the picture's.
    Sha256 expected;
    expected.update("picture a");
    EXPECT_EQ(placed[0].sha256, expected.finishHex());
    EXPECT_EQ(fileContents(target.str() + "/a.jpg"), "picture a");
    EXPECT_EQ(fileContents(target.str() + "/b.jpg"), "someone else's");
    ASSERT_EQ(unplaced.size(), 1u);
    EXPECT_EQ(unplaced[0].target, target.str() + "/b.jpg");
    EXPECT_EQ(fileSystem.heldCopyCount(), 0u);
    // Nothing of the unplaced copy stays behind.
    EXPECT_EQ(filesIn(target.path()), 2u);
}

TEST(HeldCopies, AreNamedOnlyWithTheirGroupAndNeverOverAFileThatCameMeanwhile) {
    holdTwoCopiesAndPlaceThem(false);
}

// Without /proc an unnamed file cannot be named, as on a vfat or exFAT drive
// it cannot be made: the named temporary files must come to the same end.
TEST(HeldCopies, UnderTemporaryNamesComeToTheSameEnd) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "hiding /proc needs a mount namespace of one's own";
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool hidden = ::unshare(CLONE_NEWNS) == 0 &&
                            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                            ::mount("none", "/proc", "tmpfs", 0, nullptr) == 0;
        if (!hidden) {
            ::_exit(2);
        }
        holdTwoCopiesAndPlaceThem(true);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: /proc could not be hidden";
}

}  // namespace
}  // namespace dz::test
