#include "ProcessFixture.h"

#include "platform/ConfigFolder.h"
#include "journal/JournalFolder.h"
#include "journal/JournalGate.h"

#include "albums/AlbumDetails.h"
#include "platform/Sha256.h"
#include "platform/SystemError.h"

#include <sys/file.h>
#include <unistd.h>

namespace dz::test {
namespace {

// Cameras restart their numbering in each folder: two different pictures
// come with one name.
class ProcessClashTest : public ProcessFixture, public ::testing::WithParamInterface<bool> {
protected:
    void twoCameraFolders() {
        addPicture("100CANON/IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
        addPicture("101CANON/IMG_0001.JPG", "2006:05:14 10:20:31", 1, 1);
        Album& album = addAlbum(1, "Trip");
        album.createSubDir = 0;
        album.keepOriginalName = 1;
    }
    bool move() const { return GetParam(); }
};

TEST_P(ProcessClashTest, SecondPictureOfTheSameNameGetsAFreeNameWhateverTheAnswers) {
    twoCameraFolders();
    // Whatever a user would answer, no question is put: nothing may replace a
    // picture this run has just written.
    for (int i = 0; i < 4; ++i) {
        host.answer(Answer::Yes);
    }
    process(move());
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_EQ(targetFiles(), (std::vector<std::string>{"IMG_0001 (2).jpg", "IMG_0001.jpg"}));
    EXPECT_EQ(targetBytes("IMG_0001.jpg"), originals.at(catalogue[0].path));
    EXPECT_EQ(targetBytes("IMG_0001 (2).jpg"), originals.at(catalogue[1].path));
    EXPECT_EQ(albums[0].isProcessed, 1);
    EXPECT_EQ(status(),
              "1 albums created succesfuly! 1 picture got a name of its own: its name was taken by another picture "
              "of this run.");
    expectEveryPictureKept(move());
}

TEST_P(ProcessClashTest, EmptyLabelsNameEveryPictureApart) {
    for (int i = 0; i < 5; ++i) {
        PictureRecord& p = addPicture("IMG_000" + std::to_string(i) + ".JPG", "2006:05:14 10:20:3" + std::to_string(i),
                                      1, i);
        p.block->hasCustomName = 1;  // a label typed empty
    }
    addAlbum(1, "Trip").createSubDir = 0;
    process(move());
    EXPECT_EQ(targetFiles().size(), 5u);
    expectEveryPictureKept(move());
}

TEST_P(ProcessClashTest, PictureAlreadyThereCountsAsDoneUnasked) {
    twoCameraFolders();
    // A run before put the first one there; the second name holds another file.
    target.write("IMG_0001.jpg", originals.at(catalogue[0].path));
    target.write("IMG_0001 (2).jpg", "another file");
    process(move());
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_EQ(targetBytes("IMG_0001 (2).jpg"), "another file");
    EXPECT_EQ(targetBytes("IMG_0001 (3).jpg"), originals.at(catalogue[1].path));
    // A move takes the source only once its bytes are known to be there.
    EXPECT_EQ(std::filesystem::exists(catalogue[0].path), !move());
    EXPECT_EQ(albums[0].isProcessed, 1);
    expectEveryPictureKept(move());
}

TEST_P(ProcessClashTest, NoToAnotherFileKeepsTheMovedAlbumUnprocessed) {
    twoCameraFolders();
    target.write("IMG_0001.jpg", "a file of the user's");
    host.answer(Answer::No);
    host.answer(Answer::No);
    process(move());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(targetBytes("IMG_0001.jpg"), "a file of the user's");
    EXPECT_TRUE(std::filesystem::exists(catalogue[0].path));
    // Copying, No counts the picture as done; moving, it stays behind and so does the album.
    EXPECT_EQ(albums[0].isProcessed, move() ? 0 : 1);
    expectEveryPictureKept(false);
}

INSTANTIATE_TEST_SUITE_P(CopyAndMove, ProcessClashTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Move" : "Copy"; });

class ProcessSafetyTest : public ProcessFixture {};

TEST_F(ProcessSafetyTest, LeftoversOfKilledCopiesGoButOneInUseStays) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addAlbum(1, "A").createSubDir = 0;
    const auto killed = target.write(".A-0.jpg.dzpart-Ab12Cd", "half a pic");
    const auto inUse = target.write(".A-9.jpg.dzpart-Zz98Yx", "being written");
    const auto notOurs = target.write(".notes.dzpart", "the user's");
    const int fd = ::open(inUse.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    process();
    ::close(fd);
    EXPECT_FALSE(std::filesystem::exists(killed));
    EXPECT_TRUE(std::filesystem::exists(inUse));
    EXPECT_TRUE(std::filesystem::exists(notOurs));
}

TEST_F(ProcessSafetyTest, ReplacingCopyLeavesNoPartialFileBehind) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addAlbum(1, "A").createSubDir = 0;
    target.write("A-0.jpg", "older");
    host.answer(Answer::Yes);
    process();
    const std::vector<std::string> files = targetFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(targetBytes("A-0.jpg"), originals.at(catalogue[0].path));
    // The file replaced is kept aside, not destroyed.
    EXPECT_EQ(files[0].rfind(".dezoredu/replaced/", 0), 0u) << files[0];
    EXPECT_EQ(targetBytes(files[0]), "older");
}

TEST_F(ProcessSafetyTest, CountsOfADamagedSessionNeverWrapAround) {
    AlbumList damaged(2);
    damaged[0].pictureCount = 2147483647;
    damaged[1].pictureCount = 12;
    damaged[1].sizeMB = -5.0f;
    EXPECT_EQ(albumSummaryText(damaged, 25),
              "2 albums created. Pictures in albums 2147483647 of 25. Still to add -2147483622. Size 0.00MB");
}

TEST_F(ProcessSafetyTest, JournalRecordsEveryStepOfTheRun) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 1, 1);
    addAlbum(1, "A", "2006");
    window = std::make_unique<CProcess>(
        host, fs,
        ProcessJob{albums, catalogue, target.str(), true, NameFormats{1, 1, currentTimeZone().totalBiasMinutes()},
                   true, source.str(), userDataFolder()});
    window->onInit();
    window->onCommand(CProcess::kProcess);
    const auto journals = std::filesystem::directory_iterator(target.path() / ".dezoredu/journal");
    const std::vector<std::filesystem::directory_entry> files(begin(journals), end(journals));
    ASSERT_EQ(files.size(), 1u);
    const std::string text = fileBytes(files[0].path());
    for (const char* event : {"\"event\":\"plan\"", "\"event\":\"folder\"", "\"event\":\"start\"",
                              "\"outcome\":\"moved\"", "\"event\":\"album\"", "\"event\":\"end\""}) {
        EXPECT_NE(text.find(event), std::string::npos) << event << " in\n" << text;
    }
    // A rename is known again by the file's identity, without reading its bytes.
    EXPECT_NE(text.find("\"identity\":{\"dev\""), std::string::npos) << text;
    EXPECT_EQ(text.find("\"sha256\""), std::string::npos) << text;
}

// A target prepared elsewhere may hold an album's folder as a link out of
// it: the run writes nothing through it, and gives that album up.
TEST_F(ProcessSafetyTest, AnAlbumFolderThatIsALinkOutOfTheTargetIsNotWrittenThrough) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addAlbum(1, "A", "2006");
    TempDir outside;
    std::filesystem::create_directories(target.path() / "2006");
    std::filesystem::create_directory_symlink(outside.path(), target.path() / "2006/A");
    host.answer(Answer::Yes);  // the folder exists: use it
    process();
    EXPECT_TRUE(std::filesystem::is_empty(outside.path()));
    EXPECT_EQ(albums[0].isProcessed, 0);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_NE(host.messages.back().text.find("'2006/A' leads outside the target folder"), std::string::npos)
        << host.messages.back().text;
}

// A run given folders relative to the working folder (a session or a script
// may name them so) must leave a journal that undo can take from anywhere.
TEST_F(ProcessSafetyTest, JournalOfARunGivenRelativeFoldersIsAdmitted) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addAlbum(1, "A", "2006");
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path here = target.path().parent_path();
    ASSERT_EQ(::chdir(here.c_str()), 0);
    catalogue.back().path = std::filesystem::relative(catalogue.back().path, here).string();
    window = std::make_unique<CProcess>(
        host, fs,
        ProcessJob{albums, catalogue, std::filesystem::relative(target.path(), here).string(), false,
                   NameFormats{1, 1, currentTimeZone().totalBiasMinutes()}, true,
                   std::filesystem::relative(source.path(), here).string(), userDataFolder()});
    window->onInit();
    window->onCommand(CProcess::kProcess);
    ASSERT_EQ(::chdir(before.c_str()), 0);
    const std::vector<std::string> journals = journalsOf(target.str());
    ASSERT_EQ(journals.size(), 1u);
    JournalTrust trust(userDataFolder());
    ASSERT_EQ(trust.loadKey(false), 0);
    std::string refusal;
    EXPECT_TRUE(admitJournal(journals[0], trust, refusal)) << refusal;
}

}  // namespace
}  // namespace dz::test
