// Copies held for a group's flush: no name before the group is placed, and
// a file that took the name meanwhile is kept, the copy reported unplaced.
#include "platform/FileSystem.h"
#include "platform/Sha256.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dz::test {
namespace {

TEST(HeldCopies, AreNamedOnlyWithTheirGroupAndNeverOverAFileThatCameMeanwhile) {
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path()), {}), 2);
}

}  // namespace
}  // namespace dz::test
