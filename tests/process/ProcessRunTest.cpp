#include "ProcessFixture.h"

#include "platform/SystemError.h"

#include <fstream>
#include <iterator>

namespace dz::test {
namespace {

using Kind = FaultyFileSystem::Kind;

class ProcessRunTest : public ProcessFixture {};

TEST_F(ProcessRunTest, CopiesAnAlbumIntoItsFolderTreeUnderNamesFromItsOptions) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 11:05:07", 1, 1);
    addPicture("OTHER.JPG", "2006:05:15 11:00:00", 0, 2);
    Album& trip = addAlbum(1, "Trip", "2006");
    trip.addDate = 1;
    trip.addTime = 1;

    process();

    EXPECT_EQ(targetFiles(), (std::vector<std::string>{"2006/Trip/Trip-0 [2006-05-14] [10 20 30].jpg",
                                                       "2006/Trip/Trip-1 [2006-05-14] [11 05 07].jpg"}));
    EXPECT_EQ(targetBytes("2006/Trip/Trip-0 [2006-05-14] [10 20 30].jpg"), originals.at(catalogue[0].path));
    EXPECT_EQ(albums[0].isProcessed, 1);
    EXPECT_EQ(status(), "1 albums created succesfuly!");
    EXPECT_EQ(hint(), "Press 'Close Window' to exit.");
    EXPECT_TRUE(host.messages.empty());
    const CProcess& w = *window;
    EXPECT_FALSE(w.control(CProcess::kProcess).enabled);
    EXPECT_TRUE(w.control(CProcess::kCloseWindow).enabled);
    EXPECT_FALSE(w.control(CProcess::kCancel).enabled);
    EXPECT_EQ(w.control(CProcess::kAlbumProgress).position, 1);
    EXPECT_EQ(w.control(CProcess::kPictureProgress).position, 2);
    EXPECT_EQ(w.control(CProcess::kPictureProgress).rangeMax, 2);
    expectEveryPictureKept(false);
}

TEST_F(ProcessRunTest, FolderOptions) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 2, 0);
    addPicture("IMG_0003.JPG", "2006:05:15 09:00:00", 2, 1);
    addPicture("IMG_0004.JPG", "2006:05:15 09:30:00", 3, 0);
    albums.clear();
    addAlbum(1, "Flat").createSubDir = 0;   // straight into the target
    addAlbum(2, "").splitByDays = 1;        // Album.2, one folder per day
    addAlbum(3, "Kept", "2006\\May").keepOriginalName = 1;

    process();

    EXPECT_EQ(targetFiles(),
              (std::vector<std::string>{"2006/May/Kept/IMG_0004.jpg", "Album.2/2006-05-14/album2-0.jpg",
                                        "Album.2/2006-05-15/album2-1.jpg", "Flat-0.jpg"}));
    EXPECT_EQ(status(), "3 albums created succesfuly!");
}

TEST_F(ProcessRunTest, AlbumWithoutCataloguedPicturesIsMarkedWithoutAFolder) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addAlbum(1, "One");
    addAlbum(2, "Gone");
    process();
    EXPECT_EQ(targetFiles(), std::vector<std::string>{"One/One-0.jpg"});
    EXPECT_FALSE(std::filesystem::exists(target.path() / "Gone"));
    EXPECT_EQ(albums[1].isProcessed, 1);
}

TEST_F(ProcessRunTest, CopyOntoAnExistingFileAsksToOverwrite) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 1, 1);
    addAlbum(1, "A").createSubDir = 0;
    target.write("A-0.jpg", "older picture 0");
    target.write("A-1.jpg", "older picture 1");
    host.answer(Answer::Yes);  // replace A-0
    host.answer(Answer::No);   // keep A-1

    process();

    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, overwriteQuestion(0, "A-0.jpg"));
    EXPECT_EQ(host.messages[0].caption, "System Error");
    EXPECT_EQ(targetBytes("A-0.jpg"), originals.at(catalogue[0].path));
    EXPECT_EQ(targetBytes("A-1.jpg"), "older picture 1");
    EXPECT_EQ(albums[0].isProcessed, 1);
    EXPECT_EQ(status(), "1 albums created succesfuly!");
}

TEST_F(ProcessRunTest, CancelOnTheOverwriteQuestionGivesUpTheAlbum) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 2, 0);
    addPicture("IMG_0003.JPG", "2006:05:14 10:20:32", 3, 0);
    albums.clear();
    addAlbum(1, "A").createSubDir = 0;
    addAlbum(2, "B").createSubDir = 0;
    addAlbum(3, "C").createSubDir = 0;
    target.write("A-0.jpg", "older");
    target.write("C-0.jpg", "older");
    host.answer(Answer::Cancel);  // A-0 exists
    host.answer(Answer::Yes);     // "Move to next album?"
    host.answer(Answer::Cancel);  // C-0 exists; C is last, so no question follows

    process();

    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{overwriteQuestion(0, "A-0.jpg"), "Move to next album?",
                                        overwriteQuestion(2, "C-0.jpg")}));
    EXPECT_EQ(host.messages[1].caption, "");
    EXPECT_EQ(host.messages[1].buttons, Buttons::YesNo);
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_EQ(albums[1].isProcessed, 1);
    EXPECT_EQ(albums[2].isProcessed, 0);
    EXPECT_EQ(status(), "1 albums from 3 created succesfuly!");
}

TEST_F(ProcessRunTest, EveryVisitedAlbumFailingReadsAsCancelled) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 2, 0);
    addAlbum(1, "A").createSubDir = 0;
    addAlbum(2, "B").createSubDir = 0;
    target.write("A-0.jpg", "older");
    host.answer(Answer::Cancel);
    host.answer(Answer::No);  // do not move to the next album
    process();
    EXPECT_EQ(status(), "Operation canceled by user!");
    EXPECT_EQ(albums[1].isProcessed, 0);
    EXPECT_FALSE(inTarget("B-0.jpg"));
}

TEST_F(ProcessRunTest, SecondRunSkipsProcessedAlbumsAndAsksAboutExistingFolders) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 2, 0);
    addAlbum(1, "Done");
    addAlbum(2, "Trip");
    albums[0].isProcessed = 1;
    target.makeDir("Trip");
    host.answer(Answer::Ok);   // skip message
    host.answer(Answer::Yes);  // the folder exists: go on

    process();

    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Album 'Done' is processed. Skip to next album");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Question);
    EXPECT_EQ(host.messages[1].text, "Directory already exists( Trip)! Continue?");
    EXPECT_TRUE(inTarget("Trip/Trip-1.jpg") || inTarget("Trip/Trip-0.jpg"));
    EXPECT_EQ(status(), "2 albums created succesfuly!");
}

// Albums of one albums directory: the folder the first made is no question
// for the next.
TEST_F(ProcessRunTest, AFolderThisRunMadeIsUsedWithoutAQuestion) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:15 10:20:31", 2, 0);
    addPicture("IMG_0003.JPG", "2006:05:16 10:20:32", 3, 0);
    addAlbum(1, "Lisbon", "Portugal");
    addAlbum(2, "Porto", "Portugal");
    addAlbum(3, "Faro", "Portugal").createSubDir = 0;
    process();
    EXPECT_TRUE(host.messages.empty()) << host.messages[0].text;
    EXPECT_EQ(status(), "3 albums created succesfuly!");
    EXPECT_EQ(targetFiles().size(), 3u);
}

TEST_F(ProcessRunTest, NamesThatSortAreNumberedWithinTheAlbumByThePreviewAndTheRun) {
    // The second name was shot first.
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:29", 1, 7).writeTime = 1;
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 9).writeTime = 2;
    Album& album = addAlbum(1, "Trip");
    album.createSubDir = 0;
    album.addDate = 0;
    album.addTime = 0;
    album.naming = AlbumNaming::Sortable;
    process();
    EXPECT_EQ(targetFiles(), (std::vector<std::string>{"Trip-1.jpg", "Trip-2.jpg"}));
    std::ifstream first(target.str() + "/Trip-1.jpg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(first), {}), originals[source.str() + "/IMG_0002.JPG"]);
}

TEST_F(ProcessRunTest, NoOnAnExistingFolderGivesUpTheAlbum) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addAlbum(1, "Trip");
    target.makeDir("Trip");
    host.answer(Answer::No);
    process();
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_TRUE(targetFiles().empty());
    EXPECT_EQ(status(), "Operation canceled by user!");
}

TEST_F(ProcessRunTest, CancelStopsBeforeTheNextPictureWithoutEndTexts) {
    for (int i = 0; i < 5; ++i) {
        addPicture("IMG_000" + std::to_string(i) + ".JPG", "2006:05:14 10:20:3" + std::to_string(i), 1, i);
    }
    addAlbum(1, "Trip");
    host.atPump(3, [this] { window->onCommand(CProcess::kCancel); });

    process();

    EXPECT_TRUE(window->lastRunCancelled());
    EXPECT_EQ(targetFiles().size(), 2u);
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_EQ(status(), "Processing album: Trip");
    EXPECT_TRUE(window->control(CProcess::kProcess).enabled);
    EXPECT_TRUE(window->control(CProcess::kCloseWindow).enabled);
    EXPECT_FALSE(window->running());
    expectEveryPictureKept(false);
}

TEST_F(ProcessRunTest, DiskFullIsAskedAndRetried) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 1, 1);
    addPicture("IMG_0003.JPG", "2006:05:14 10:20:31", 2, 0);
    addAlbum(1, "A");
    addAlbum(2, "B");
    openWindow();
    // Operations: folder A, copy 1, copy 2 ...
    fs.failOperation(3, syserr::kHandleDiskFull);
    fs.failOperation(4, syserr::kHandleDiskFull);
    host.answer(Answer::Retry);
    host.answer(Answer::Retry);
    window->onCommand(CProcess::kProcess);

    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "The disk is full. Please close all other applications while Dezoredu is processing albums. Continue?");
    EXPECT_EQ(targetFiles().size(), 3u);
    EXPECT_EQ(status(), "2 albums created succesfuly!");
}

TEST_F(ProcessRunTest, AFailedFolderWithAbortGivesUpTheAlbum) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 2, 0);
    addAlbum(1, "A");
    addAlbum(2, "B");
    openWindow();
    fs.failOperation(1, syserr::kAccessDenied);
    host.answer(Answer::Retry);  // fails again, by the second fault
    fs.failOperation(2, syserr::kAccessDenied);
    host.answer(Answer::Abort);
    host.answer(Answer::Yes);  // next album
    window->onCommand(CProcess::kProcess);
    EXPECT_EQ(host.messageTexts()[0], "Access is denied.( " + target.str() + "). Continue?");
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_EQ(albums[1].isProcessed, 1);
    EXPECT_EQ(targetFiles(), std::vector<std::string>{"B/B-0.jpg"});
}

TEST_F(ProcessRunTest, NamesThatWouldLeaveTheTargetAreRefused) {
    addPicture("IMG_0001.JPG", "2006:05:14 10:20:30", 1, 0);
    addPicture("IMG_0002.JPG", "2006:05:14 10:20:31", 2, 0);
    addPicture("IMG_0003.JPG", "2006:05:14 10:20:31", 3, 0);
    addAlbum(1, "Escape", "..\\..\\outside");
    addAlbum(2, "..");
    addAlbum(3, "Fine", "/absolute");
    host.answer(Answer::Ok);
    host.answer(Answer::Yes);
    host.answer(Answer::Ok);
    host.answer(Answer::Yes);

    process();

    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{
                  "The folder name '..\\..\\outside' leads outside the target folder. Please redefine album",
                  "Move to next album?",
                  "The folder name '..' leads outside the target folder. Please redefine album",
                  "Move to next album?"}));
    EXPECT_EQ(targetFiles(), std::vector<std::string>{"absolute/Fine/Fine-0.jpg"});
    EXPECT_FALSE(std::filesystem::exists(target.path().parent_path() / "outside"));
    EXPECT_EQ(status(), "1 albums from 3 created succesfuly!");
}

}  // namespace
}  // namespace dz::test
