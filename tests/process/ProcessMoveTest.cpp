#include "ProcessFixture.h"

#include "platform/SystemError.h"

#include <algorithm>

namespace dz::test {
namespace {

using Kind = FaultyFileSystem::Kind;

class ProcessMoveTest : public ProcessFixture {
protected:
    void twoPicturesInOneFlatAlbum() {
        addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
        addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 1, 1);
        addAlbum(1, "A").createSubDir = 0;
    }
    bool atSource(int i) const { return std::filesystem::exists(catalogue[i].path); }
    int callsOf(Kind kind) const {
        return static_cast<int>(std::count_if(fs.calls().begin(), fs.calls().end(),
                                              [kind](const FileCall& c) { return c.kind == kind; }));
    }
};

TEST_F(ProcessMoveTest, MovesWithinOneFileSystem) {
    twoPicturesInOneFlatAlbum();
    std::vector<std::string> hints;
    host.atPump(2, [this, &hints] { hints.push_back(hint()); });
    process(true);
    EXPECT_EQ(hints, std::vector<std::string>{"Moving...IMG_0001.jpg"});
    EXPECT_FALSE(atSource(0));
    EXPECT_FALSE(atSource(1));
    EXPECT_EQ(targetBytes("A-0.jpg"), originals.at(catalogue[0].path));
    EXPECT_EQ(targetBytes("A-1.jpg"), originals.at(catalogue[1].path));
    EXPECT_EQ(callsOf(Kind::CopyFlushed), 0);
    EXPECT_EQ(status(), "1 albums created succesfuly!");
    expectEveryPictureKept(true);
}

TEST_F(ProcessMoveTest, AnExistingTargetIsReplacedOnlyAfterTheOverwriteQuestion) {
    twoPicturesInOneFlatAlbum();
    target.write("A-0.jpg", "older 0");
    target.write("A-1.jpg", "older 1");
    host.answer(Answer::Yes);
    host.answer(Answer::No);
    process(true);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{overwriteQuestion(0, "A-0.jpg"), overwriteQuestion(1, "A-1.jpg")}));
    EXPECT_EQ(targetBytes("A-0.jpg"), originals.at(catalogue[0].path));
    EXPECT_FALSE(atSource(0));
    // No: the picture stays where it was and the older file is kept; the
    // album is not done while one of its pictures is not in it.
    EXPECT_EQ(targetBytes("A-1.jpg"), "older 1");
    EXPECT_TRUE(atSource(1));
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_EQ(status(), "Operation canceled by user! 1 picture stayed in the source folder.");
}

TEST_F(ProcessMoveTest, RetryAfterAnotherErrorDoesNotReplaceAFileSilently) {
    twoPicturesInOneFlatAlbum();
    target.write("A-0.jpg", "older 0");
    openWindow(true);
    fs.failOperation(1, syserr::kHandleDiskFull);  // the first rename
    host.answer(Answer::Retry);
    host.answer(Answer::No);
    window->onCommand(CProcess::kProcess);
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, overwriteQuestion(0, "A-0.jpg"));
    EXPECT_EQ(targetBytes("A-0.jpg"), "older 0");
    EXPECT_TRUE(atSource(0));
    expectEveryPictureKept(false);
}

TEST_F(ProcessMoveTest, AcrossFileSystemsTheCopyIsCheckedBeforeTheSourceGoes) {
    twoPicturesInOneFlatAlbum();
    openWindow(true);
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    window->onCommand(CProcess::kProcess);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(callsOf(Kind::CopyFlushed), 2);
    EXPECT_EQ(callsOf(Kind::Remove), 2);
    EXPECT_FALSE(atSource(0));
    EXPECT_EQ(targetBytes("A-1.jpg"), originals.at(catalogue[1].path));
    expectEveryPictureKept(true);
}

TEST_F(ProcessMoveTest, AFailedCopyAcrossFileSystemsLeavesTheSource) {
    twoPicturesInOneFlatAlbum();
    openWindow(true);
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    fs.failEvery(Kind::CopyFlushed, syserr::kHandleDiskFull);
    host.answer(Answer::Cancel);
    window->onCommand(CProcess::kProcess);
    EXPECT_EQ(host.messageTexts(),
              std::vector<std::string>{
                  "The disk is full. Please close all other applications while Dezoredu is processing albums. "
                  "Continue?"});
    EXPECT_TRUE(atSource(0));
    EXPECT_TRUE(atSource(1));
    EXPECT_TRUE(targetFiles().empty());
    EXPECT_EQ(callsOf(Kind::Remove), 0);
    EXPECT_EQ(albums[0].isProcessed, 0);
    expectEveryPictureKept(true);
}

TEST_F(ProcessMoveTest, ASourceThatCannotBeRemovedStaysBesideItsCopy) {
    twoPicturesInOneFlatAlbum();
    openWindow(true);
    fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
    fs.failEvery(Kind::Remove, syserr::kAccessDenied);
    host.answer(Answer::Abort);
    window->onCommand(CProcess::kProcess);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Access is denied.( " + source.str() + "). Continue?");
    EXPECT_TRUE(atSource(0));
    EXPECT_EQ(targetBytes("A-0.jpg"), originals.at(catalogue[0].path));
    EXPECT_TRUE(atSource(1));
    EXPECT_EQ(albums[0].isProcessed, 0);
    expectEveryPictureKept(false);
}

TEST_F(ProcessMoveTest, IgnoreTriesOnceMoreAndThenOffersACopy) {
    twoPicturesInOneFlatAlbum();
    openWindow(true);
    fs.failOperation(1, syserr::kAccessDenied);  // rename of the first picture
    fs.failOperation(2, syserr::kAccessDenied);  // and once more after Ignore
    host.answer(Answer::Ignore);
    host.answer(Answer::Ok);  // "Copy instead of move?"
    std::vector<std::string> hints;
    host.atPump(2, [this, &hints] { hints.push_back(hint()); });
    window->onCommand(CProcess::kProcess);

    EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{"Access is denied.( " + source.str() + "). Continue?",
                                                             "File could not be moved. Copy instead of move?"}));
    EXPECT_EQ(host.messages[1].buttons, Buttons::OkCancel);
    // The first picture was copied, the second moved again.
    EXPECT_TRUE(atSource(0));
    EXPECT_EQ(targetBytes("A-0.jpg"), originals.at(catalogue[0].path));
    EXPECT_FALSE(atSource(1));
    EXPECT_EQ(targetBytes("A-1.jpg"), originals.at(catalogue[1].path));
    EXPECT_EQ(albums[0].isProcessed, 1);
    // The copy was announced as a copy only after it had been chosen.
    EXPECT_EQ(hints, std::vector<std::string>{"Moving...IMG_0001.jpg"});
}

TEST_F(ProcessMoveTest, RefusingTheCopyGivesUpTheAlbum) {
    twoPicturesInOneFlatAlbum();
    openWindow(true);
    fs.failEvery(Kind::Rename, syserr::kAccessDenied);
    host.answer(Answer::Ignore);
    host.answer(Answer::Cancel);
    window->onCommand(CProcess::kProcess);
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_TRUE(targetFiles().empty());
    EXPECT_EQ(status(), "Operation canceled by user!");
    expectEveryPictureKept(true);
}

TEST_F(ProcessMoveTest, InjectedFaultsAtEveryStepNeverLoseAPicture) {
    // Each run fails a different operation with a different error and
    // answers the prompts with the first button or Cancel.
    const std::vector<int> errors{syserr::kHandleDiskFull, syserr::kAccessDenied, syserr::kNotSameDevice,
                                  syserr::kFileExists, syserr::kWriteFault};
    for (int n = 1; n <= 6; ++n) {
        for (const int error : errors) {
            SCOPED_TRACE(testing::Message() << "operation " << n << " error " << error);
            catalogue.clear();
            albums.clear();
            originals.clear();
            std::filesystem::remove_all(target.path());
            std::filesystem::create_directories(target.path());
            for (int i = 0; i < 3; ++i) {
                addPicture("P" + std::to_string(n) + "_" + std::to_string(error) + "_" + std::to_string(i) + ".JPG",
                           "2006:05:14 10:20:3" + std::to_string(i), 1, i);
            }
            addAlbum(1, "A");
            openWindow(true);
            fs.clearFaults();
            fs.failEvery(Kind::Rename, syserr::kNotSameDevice);
            fs.failOperation(n, error);
            window->onCommand(CProcess::kProcess);
            expectEveryPictureKept(false);
        }
    }
}

TEST_F(ProcessMoveTest, AFailedMoveOfATravellingFileIsAskedLikeAPictureAndRetried) {
    PictureRecord& picture = addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    const std::string raw = source.write("IMG_0001.NEF", "raw bytes").string();
    picture.companions.push_back(CompanionFile{raw, 9, true});
    addAlbum(1, "A").createSubDir = 0;
    openWindow(true);
    fs.failOperation(2, syserr::kAccessDenied);  // the picture's own move is the first
    host.answer(Answer::Retry);
    window->onCommand(CProcess::kProcess);
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"Access is denied.( " + source.str() + "). Continue?"});
    EXPECT_EQ(targetFiles(), (std::vector<std::string>{"A-0.jpg", "A-0.nef"}));
    EXPECT_FALSE(std::filesystem::exists(raw));
    EXPECT_EQ(albums[0].isProcessed, 1);
}

// A shot goes as one: a stranger's file in the raw's place sends the whole
// shot to a free name, and No to overwriting the picture keeps its raw too.
TEST_F(ProcessMoveTest, AShotIsRenamedOrLeftAsOne) {
    PictureRecord& first = addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    first.companions.push_back(CompanionFile{source.write("IMG_0001.NEF", "raw one").string(), 7, true});
    PictureRecord& second = addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 1, 1);
    const std::string secondRaw = source.write("IMG_0002.NEF", "raw two").string();
    second.companions.push_back(CompanionFile{secondRaw, 7, true});
    addAlbum(1, "A").createSubDir = 0;
    target.write("A-0.nef", "a stranger's raw");
    target.write("A-1.jpg", "a stranger's picture");
    openWindow(true);
    host.answer(Answer::No);
    window->onCommand(CProcess::kProcess);
    EXPECT_EQ(targetFiles(), (std::vector<std::string>{"A-0 (2).jpg", "A-0 (2).nef", "A-0.nef", "A-1.jpg"}));
    EXPECT_EQ(targetBytes("A-0 (2).nef"), "raw one");
    EXPECT_EQ(fileBytes(secondRaw), "raw two");
    EXPECT_TRUE(std::filesystem::exists(second.path));
}

}  // namespace
}  // namespace dz::test

namespace dz::test {
namespace {

// Moving the folder ".../Trip" into its own parent as the album "Trip": every
// picture's target is the picture itself. It stays; nothing is removed.
TEST_F(ProcessFixture, APictureThatIsItsOwnTargetStaysInPlace) {
    addPicture("img_1.jpg", "2006:05:14 10:20:30", 1, 0);
    addPicture("img_2.jpg", "2006:05:14 10:20:31", 1, 1);
    const std::filesystem::path folder = source.path();
    Album& album = addAlbum(1, folder.filename().string());
    album.createSubDir = 1;
    album.keepOriginalName = 1;
    for (const bool rerun : {false, true}) {
        album.isProcessed = 0;
        window = std::make_unique<CProcess>(host, fs,
                                            ProcessJob{albums, catalogue, folder.parent_path().string(), true,
                                                       NameFormats{1, 1, currentTimeZone().totalBiasMinutes()}});
        window->onInit();
        window->onCommand(CProcess::kProcess);
        EXPECT_EQ(status(), "1 albums created succesfuly!") << rerun;
        for (const auto& [path, bytes] : originals) {
            EXPECT_EQ(fileBytes(path), bytes) << path;
        }
        ASSERT_EQ(window->placedPictures().size(), 2u);
        EXPECT_EQ(window->placedPictures()[0].how, PlacedPicture::How::InPlace);
    }
}

}  // namespace
}  // namespace dz::test
