#include "JournalCommands.h"
#include "ProcessCommand.h"

#include "SessionFixture.h"

#include "journal/JournalFolder.h"
#include "platform/ConfigFolder.h"
#include "platform/FaultyFileSystem.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <map>

namespace dz {
namespace {

namespace fs = std::filesystem;

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ProcessCommandTest : public test::SessionFixture {
protected:
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        ProcessCommand command(out, err, fileSystem);
        return command.run(args);
    }
    int runSession(std::vector<std::string> options = {}) {
        options.push_back(sessionPath);
        return run(options);
    }

    std::string sourceOf(const std::string& name) const { return source.str() + "/" + name; }
    std::vector<std::string> errLines() const { return lines(err.str()); }

    // The pictures as the first run leaves them.
    void expectAllPicturesCopied() {
        EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), fileText(sourceOf("IMG_1.JPG")));
        EXPECT_EQ(fileText(tripFolder() + "/IMG_3.jpg"), fileText(sourceOf("sub/IMG_3.JPG")));
        EXPECT_EQ(fileText(homeFolder() + "/Home-1.jpg"), fileText(sourceOf("IMG_2.JPG")));
    }

    FaultyFileSystem fileSystem;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ProcessCommandTest, CopiesEveryAlbumIntoTheSessionsTarget) {
    saveSession();
    ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
    expectAllPicturesCopied();
    // IMG_4 is in no album; the sources stay where they were.
    // 2006, Trip, Home, 3 files, and the run's journal in .dezoredu/journal.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(target.path()), {}), 9);
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path() / ".dezoredu/journal"), {}), 1);
    EXPECT_TRUE(fs::exists(sourceOf("IMG_1.JPG")));
    EXPECT_EQ(out.str(), "2 albums created succesfuly!\nPress 'Close Window' to exit.\n");
    EXPECT_EQ(err.str(), "");
    // Nothing is written into the working folder beside the session.
    EXPECT_EQ(std::distance(fs::directory_iterator(workFolder.path()), {}), 1);
}

TEST_F(ProcessCommandTest, AllFormatsCopiesARawFileUnderItsOwnExtension) {
    std::string raw = test::readTestData("Nikon.nef");
    // Its shot time (2004:06:09 16:02:35 by exiftool) moved into Trip's range.
    for (std::size_t at = raw.find("2004:06:09 16:02:35"); at != std::string::npos;
         at = raw.find("2004:06:09 16:02:35")) {
        raw.replace(at, 19, "2008:04:01 12:00:00");
    }
    source.write("IMG_5.NEF", raw);
    // The session is made with the choice kept beside fl.cfg, and processed
    // with the command's own word, without that file.
    test::saveSessionThroughWindow(
        source.str(), target.str(), false, sessionPath, 5, [this](AppState& state) { defineAlbums(state); },
        {{"formats.cfg", "all\n"}});
    ASSERT_EQ(runSession({"--all-formats"}), ProcessCommand::kDone) << err.str();
    expectAllPicturesCopied();
    EXPECT_EQ(fileText(tripFolder() + "/IMG_5.nef"), raw);
}

TEST_F(ProcessCommandTest, SecondRunKeepsTheFilesThereByDefault) {
    saveSession();
    ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
    std::ofstream(tripFolder() + "/IMG_1.jpg", std::ios::binary) << "kept";

    // The session still says the albums are to do. The pictures already
    // there are not asked about; the other file in IMG_1's place is kept,
    // so the run did not put every picture in its album.
    ASSERT_EQ(runSession(), ProcessCommand::kIncomplete) << err.str();
    const std::string trip = tripFolder();
    EXPECT_EQ(errLines(), (std::vector<std::string>{
                              "System Error: Directory already exists( 2006)! Continue? [Yes]",
                              "System Error: Directory already exists( Trip)! Continue? [Yes]",
                              "System Error: IMG_1.JPG already exists! Overwrite? Picture: " + sourceOf("IMG_1.JPG") +
                                  " In the target: " + trip + "/IMG_1.jpg [No]",
                              "System Error: Directory already exists( Home)! Continue? [Yes]",
                              "dezoredu-cli: " + sourceOf("IMG_1.JPG") + " is not in album 'Trip' (" + trip +
                                  "/IMG_1.jpg)",
                          }));
    EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), "kept");
    EXPECT_EQ(out.str(), "2 albums created succesfuly!\nPress 'Close Window' to exit.\n");

    // Spelled out, skip is the same answer.
    ASSERT_EQ(runSession({"--on-exists", "skip"}), ProcessCommand::kIncomplete);
    EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), "kept");
}

TEST_F(ProcessCommandTest, OverwriteReplacesTheFilesThere) {
    saveSession();
    ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
    std::ofstream(tripFolder() + "/IMG_1.jpg", std::ios::binary) << "old";
    std::ofstream(homeFolder() + "/Home-1.jpg", std::ios::binary) << "old";

    ASSERT_EQ(runSession({"--on-exists", "overwrite"}), ProcessCommand::kDone) << err.str();
    const auto printed = errLines();
    EXPECT_EQ(std::count(printed.begin(), printed.end(),
                         "System Error: IMG_1.JPG already exists! Overwrite? Picture: " + sourceOf("IMG_1.JPG") +
                             " In the target: " + tripFolder() + "/IMG_1.jpg [Yes]"),
              1);
    EXPECT_EQ(std::count(printed.begin(), printed.end(), "System Error: Directory already exists( Home)! Continue? [Yes]"),
              1);
    expectAllPicturesCopied();

    // The files replaced are kept aside, and the undo of the run puts them back.
    const std::string journal = journalsOf(target.str()).back();
    std::string kept;
    for (const auto& entry : fs::recursive_directory_iterator(target.path() / ".dezoredu/replaced")) {
        kept += entry.is_regular_file() ? fileText(entry.path().string()) + ";" : "";
    }
    EXPECT_EQ(kept, "old;old;");
    std::ostringstream undoOut;
    std::ostringstream undoErr;
    FileSystem fileSystem;
    ASSERT_EQ(JournalCommand(JournalCommand::Kind::Undo, undoOut, undoErr, fileSystem).run({journal}), 0)
        << undoErr.str();
    EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), "old");
    EXPECT_EQ(fileText(homeFolder() + "/Home-1.jpg"), "old");
}

TEST_F(ProcessCommandTest, StopOnAnExistingAlbumFolderGivesUpAndEndsTheRun) {
    saveSession();
    ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
    std::ofstream(tripFolder() + "/IMG_1.jpg", std::ios::binary) << "kept";

    EXPECT_EQ(runSession({"--on-exists", "stop"}), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{"System Error: Directory already exists( 2006)! Continue? [No]",
                                                    "Move to next album? [No]"}));
    EXPECT_EQ(out.str(), "Operation canceled by user!\nPress 'Close Window' to exit.\n");
    EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), "kept");

    // Going on to the next album meets the same refusal there.
    EXPECT_EQ(runSession({"--on-exists", "stop", "--on-error", "continue"}), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{"System Error: Directory already exists( 2006)! Continue? [No]",
                                                    "Move to next album? [Yes]",
                                                    "System Error: Directory already exists( Home)! Continue? [No]"}));
}

TEST_F(ProcessCommandTest, StopOnAnExistingPictureGivesUpItsAlbum) {
    homeHasFolder = false;  // Home's pictures go straight into the target
    saveSession();
    std::ofstream(target.str() + "/Home-1.jpg", std::ios::binary) << "kept";

    EXPECT_EQ(runSession({"--on-exists", "stop", "--on-error", "continue"}), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{"System Error: IMG_2.JPG already exists! Overwrite? Picture: " +
                                                    sourceOf("IMG_2.JPG") + " In the target: " + target.str() +
                                                    "/Home-1.jpg [Cancel]"}));
    EXPECT_EQ(out.str(), "1 albums from 2 created succesfuly!\nPress 'Close Window' to exit.\n");
    EXPECT_TRUE(fs::exists(tripFolder() + "/IMG_1.jpg"));
    EXPECT_EQ(fileText(target.str() + "/Home-1.jpg"), "kept");
}

TEST_F(ProcessCommandTest, MoveSessionMovesThePictures) {
    moveFiles = true;
    saveSession();
    const std::string img1 = fileText(sourceOf("IMG_1.JPG"));
    ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
    EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), img1);
    EXPECT_FALSE(fs::exists(sourceOf("IMG_1.JPG")));
    EXPECT_FALSE(fs::exists(sourceOf("sub/IMG_3.JPG")));
    EXPECT_FALSE(fs::exists(sourceOf("IMG_2.JPG")));
    EXPECT_TRUE(fs::exists(sourceOf("IMG_4.JPG")));
    EXPECT_EQ(out.str(), "2 albums created succesfuly!\nPress 'Close Window' to exit.\n");
}

TEST_F(ProcessCommandTest, FailedMoveBecomesACopyOnlyWhenToldToContinue) {
    moveFiles = true;
    saveSession();
    fileSystem.failEvery(FaultyFileSystem::Kind::Rename, syserr::kAccessDenied);

    EXPECT_EQ(runSession(), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{
                              "System Error: Access is denied.( " + source.str() + "/sub). Continue? [Abort]",
                              "Move to next album? [No]"}));
    EXPECT_EQ(out.str(), "Operation canceled by user!\nPress 'Close Window' to exit.\n");
    EXPECT_FALSE(fs::exists(tripFolder() + "/IMG_3.jpg"));

    fs::remove_all(target.path() / "2006");
    ASSERT_EQ(runSession({"--on-error", "continue"}), ProcessCommand::kDone) << err.str();
    const auto printed = errLines();
    ASSERT_EQ(printed.size(), 6u) << err.str();
    EXPECT_EQ(printed[0], "System Error: Access is denied.( " + source.str() + "/sub). Continue? [Ignore]");
    EXPECT_EQ(printed[1], "File could not be moved. Copy instead of move? [OK]");
    EXPECT_EQ(printed[2], "System Error: Access is denied.( " + source.str() + "). Continue? [Ignore]");
    expectAllPicturesCopied();
    EXPECT_TRUE(fs::exists(sourceOf("IMG_1.JPG")));  // copied, so the source stays
}

TEST_F(ProcessCommandTest, PicturePassedOverAfterAnErrorIsNotReportedAsDone) {
    saveSession();
    fileSystem.failEvery(FaultyFileSystem::Kind::Copy, syserr::kWriteFault);

    // The window counts Trip as created, yet neither of its pictures is there.
    EXPECT_EQ(runSession({"--on-error", "continue"}), ProcessCommand::kIncomplete);
    EXPECT_EQ(out.str(), "2 albums created succesfuly!\nPress 'Close Window' to exit.\n");
    const auto printed = errLines();
    EXPECT_EQ(std::count(printed.begin(), printed.end(),
                         "System Error: The system cannot write to the specified device. Continue? [Ignore]"),
              3);
    EXPECT_TRUE(has(err.str(), "dezoredu-cli: " + sourceOf("sub/IMG_3.JPG") + " is not in album 'Trip' (" +
                                   tripFolder() + "/IMG_3.jpg)\n"));
    EXPECT_TRUE(has(err.str(), sourceOf("IMG_2.JPG") + " is not in album 'Home'"));
    EXPECT_FALSE(fs::exists(tripFolder() + "/IMG_1.jpg"));
}

TEST_F(ProcessCommandTest, FullDiskIsNeverRetried) {
    saveSession();
    fileSystem.failEvery(FaultyFileSystem::Kind::Copy, syserr::kHandleDiskFull);
    EXPECT_EQ(runSession({"--on-error", "continue"}), ProcessCommand::kIncomplete);
    const std::string full =
        "System Error: The disk is full. Please close all other applications while Dezoredu is processing albums. "
        "Continue? [Cancel]";
    EXPECT_EQ(errLines(), (std::vector<std::string>{full, "Move to next album? [Yes]", full}));
    EXPECT_EQ(out.str(), "Operation canceled by user!\nPress 'Close Window' to exit.\n");
}

TEST_F(ProcessCommandTest, DriveThatCannotTellItsFreeSpaceRefusesTheRun) {
    saveSession();
    fileSystem.failEvery(FaultyFileSystem::Kind::FreeSpace, syserr::kReadFault);
    EXPECT_EQ(runSession(), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(),
              (std::vector<std::string>{"System Error: The system cannot read from the specified device. Continue? [Abort]"}));
    const auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].rfind(" Drive ", 0), 0u) << printed[0];
    EXPECT_TRUE(has(printed[0], ": not ready!")) << printed[0];
    EXPECT_EQ(printed[1], "Please select other drive.");
    EXPECT_FALSE(fs::exists(target.path() / "2006"));
}

TEST_F(ProcessCommandTest, SessionWithEveryAlbumProcessedHasNothingToDo) {
    albumsProcessed = true;
    saveSession();
    EXPECT_EQ(runSession(), ProcessCommand::kDone);
    EXPECT_EQ(out.str(), " Found enough free space.\nAll albums are already processed.\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), {}), 0);
}

TEST_F(ProcessCommandTest, ChangedSourceFolderLoadsNoSession) {
    saveSession();
    source.write("IMG_5.JPG", test::readTestData("canon-40d.jpg"));
    EXPECT_EQ(runSession(), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{
                              "Warning: Source directory was modified. Session could not be loaded! [OK]",
                              "dezoredu-cli: session not loaded: " + sessionPath}));
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), {}), 0);
}

TEST_F(ProcessCommandTest, MissingOrDamagedSessionFile) {
    EXPECT_EQ(runSession(), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{"Dezoredu: File could not be loaded! [OK]",
                                                    "dezoredu-cli: session not loaded: " + sessionPath}));

    saveSession();
    const std::string whole = fileText(sessionPath);
    std::ofstream(sessionPath, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() - 10);
    EXPECT_EQ(runSession(), ProcessCommand::kIncomplete);
    EXPECT_TRUE(has(err.str(), "Warning: Session file is damaged. Session could not be loaded! [OK]\n")) << err.str();
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), {}), 0);
}

TEST_F(ProcessCommandTest, SessionWithoutTargetIsRefused) {
    chooseTarget = false;
    saveSession();
    EXPECT_EQ(runSession(), ProcessCommand::kIncomplete);
    EXPECT_EQ(errLines(), (std::vector<std::string>{
                              "dezoredu-cli: the session has no target folder (Not Selected. Please select one first.)"}));
    EXPECT_EQ(out.str(), "");
    // Nothing is written anywhere, not even relative to the working folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(workFolder.path()), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), {}), 0);
}

TEST_F(ProcessCommandTest, UsageErrors) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"a.fls", "b.fls"},
        {"--on-exists"},
        {"--on-exists", "never", "a.fls"},
        {"--on-error", "skip", "a.fls"},
        {"--on-error", "a.fls"},
        {"--dry-run", "a.fls"},
    };
    for (const auto& args : wrong) {
        EXPECT_EQ(run(args), ProcessCommand::kUsageError) << ::testing::PrintToString(args);
        EXPECT_TRUE(has(err.str(), "usage: dezoredu-cli process")) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(run({"--on-error", "a.fls"}), ProcessCommand::kUsageError);
    EXPECT_TRUE(has(err.str(), "dezoredu-cli: --on-error takes stop or continue, not a.fls\n"));
    // After "--" a name that starts with a dash is the session file.
    EXPECT_EQ(run({"--", "-odd.fls"}), ProcessCommand::kIncomplete);
    EXPECT_TRUE(has(err.str(), "session not loaded: -odd.fls"));
}

}  // namespace
}  // namespace dz

namespace dz {
namespace {

// A power cut after a move run's renames but before their start lines, which
// are not flushed one by one, reached the disk: the journal holds its plan
// alone. The plan knows each file by its identity, so resume finds the
// pictures moved and undo brings them back.
TEST_F(ProcessCommandTest, MovesWhoseStartLinesWereLostAreStillFinishedAndUndone) {
    moveFiles = true;
    saveSession();
    const std::map<std::string, std::string> originals{{"IMG_1.JPG", fileText(sourceOf("IMG_1.JPG"))},
                                                       {"IMG_2.JPG", fileText(sourceOf("IMG_2.JPG"))},
                                                       {"sub/IMG_3.JPG", fileText(sourceOf("sub/IMG_3.JPG"))}};
    for (const bool resumeFirst : {true, false}) {
        ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
        const std::string journal = journalsOf(target.str()).back();
        std::string text = fileText(journal);
        std::size_t end = 0;
        for (int line = 0; line < 1 + 3; ++line) {  // the head and its three steps
            end = text.find('\n', end) + 1;
        }
        text.erase(end);
        std::ofstream(journal, std::ios::binary | std::ios::trunc) << text;
        const std::string runId = text.substr(text.find("\"run\":\"") + 7, 32);
        const std::string lastSeal = text.substr(text.rfind("\"mac\":\"") + 7, 64);
        std::ofstream(userDataFolder() + "/runs/" + runId, std::ios::trunc) << "lines 4 mac " << lastSeal << "\n";

        std::ostringstream replayOut;
        std::ostringstream replayErr;
        FileSystem replayFs;
        if (resumeFirst) {
            ASSERT_EQ(JournalCommand(JournalCommand::Kind::Resume, replayOut, replayErr, replayFs).run({journal}), 0)
                << replayErr.str();
            EXPECT_NE(replayOut.str().find("\"done\":3"), std::string::npos) << replayOut.str();
        }
        ASSERT_EQ(JournalCommand(JournalCommand::Kind::Undo, replayOut, replayErr, replayFs).run({journal}), 0)
            << replayErr.str();
        for (const auto& [name, bytes] : originals) {
            EXPECT_EQ(fileText(sourceOf(name)), bytes) << name << (resumeFirst ? " after resume" : "");
        }
        EXPECT_FALSE(fs::exists(tripFolder() + "/IMG_1.jpg"));
    }
}

}  // namespace
}  // namespace dz

namespace dz {
namespace {

// A move cut short, its journal taken from another key: the resume finishes
// it as copies, never removing a picture from the source the user named.
TEST_F(ProcessCommandTest, AnAdoptedMoveIsFinishedWithoutRemovingFromTheSource) {
    moveFiles = true;
    saveSession();
    const std::string original = fileText(sourceOf("IMG_1.JPG"));
    ASSERT_EQ(runSession(), ProcessCommand::kDone) << err.str();
    // Cut short before IMG_1 moved: its picture is back at the source, the
    // journal holds the plan alone.
    fs::rename(tripFolder() + "/IMG_1.jpg", sourceOf("IMG_1.JPG"));
    const std::string journal = journalsOf(target.str()).back();
    std::string text = fileText(journal);
    std::size_t end = 0;
    for (int line = 0; line < 1 + 3; ++line) {
        end = text.find('\n', end) + 1;
    }
    std::ofstream(journal, std::ios::binary | std::ios::trunc) << text.substr(0, end);

    test::TempDir newKey;
    test::EnvScope dataHome{"XDG_DATA_HOME", newKey.str().c_str()};
    std::ostringstream trustOut;
    std::ostringstream trustErr;
    ASSERT_EQ(TrustCommand(trustOut, trustErr).run({journal, "--source", source.str()}), TrustCommand::kDone)
        << trustErr.str();
    const std::string adopted = trustOut.str().substr(0, trustOut.str().find('\n'));
    std::ostringstream replayOut;
    std::ostringstream replayErr;
    FileSystem replayFs;
    ASSERT_EQ(JournalCommand(JournalCommand::Kind::Resume, replayOut, replayErr, replayFs).run({adopted}), 0)
        << replayErr.str();
    EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), original);
    EXPECT_EQ(fileText(sourceOf("IMG_1.JPG")), original);
}

}  // namespace
}  // namespace dz
