// One command from a card to a sorted target, and again with only what is new.
#include "JournalCommands.h"
#include "LoadedSession.h"
#include "CliHost.h"
#include "SortCommand.h"

#include "journal/JournalFolder.h"
#include "platform/FileSystem.h"

#include "MediaFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dz {
namespace {

namespace fs = std::filesystem;

// A card of three real camera pictures on three days years apart.
class SortCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        card.write("DCIM/IMG_1.JPG", test::readTestData("canon-40d.jpg"));               // 2008:05:30 15:56:01
        card.write("DCIM/IMG_2.JPG", test::readTestData("fujifilm-e500-big-endian.jpg"));  // 2006:08:17 09:24:48
        card.write("DCIM/sub/IMG_3.JPG", test::readTestData("nikon-d70-comment-after-exif.jpg"));  // 2008:03:15
    }

    int sort(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.push_back(card.str());
        args.push_back(target.str());
        FileSystem fileSystem;
        return SortCommand(out, err, fileSystem).run(args);
    }

    int undoLastRun() {
        const std::vector<std::string> journals = journalsOf(target.str());
        EXPECT_FALSE(journals.empty());
        std::ostringstream undoOut;
        std::ostringstream undoErr;
        FileSystem fileSystem;
        return JournalCommand(JournalCommand::Kind::Undo, undoOut, undoErr, fileSystem).run({journals.back()});
    }

    // The files below the target, the program's own folder left out.
    std::vector<std::string> sorted() const {
        std::vector<std::string> files;
        for (auto it = fs::recursive_directory_iterator(target.path()); it != fs::recursive_directory_iterator();
             ++it) {
            if (it->path().filename() == ".dezoredu") {
                it.disable_recursion_pending();
            } else if (it->is_regular_file()) {
                files.push_back(fs::relative(it->path(), target.path()).string());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    std::string said() const { return out.str() + err.str(); }

    test::TempDir card;
    test::TempDir target;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(SortCommandTest, SortsOnceThenTakesOnlyWhatIsNewUntilUndone) {
    ASSERT_EQ(sort({}), SortCommand::kDone) << said();
    const std::vector<std::string> first = sorted();
    ASSERT_EQ(first.size(), 3u) << said();
    EXPECT_NE(std::find(first.begin(), first.end(), "2008-05-30/2008-05-30-1_2008-05-30_15-56-01.jpg"), first.end())
        << first[0];

    // Renamed on the card, copied to another of its folders, and re-dated by
    // a camera clock set in the program: the same bytes.
    fs::rename(card.path() / "DCIM/IMG_1.JPG", card.path() / "DCIM/renamed.jpg");
    fs::copy_file(card.path() / "DCIM/IMG_2.JPG", card.path() / "copy-of-2.jpg");
    ASSERT_EQ(sort({"--camera-clock", "Canon EOS 40D=+09:00"}), SortCommand::kDone) << said();
    EXPECT_NE(out.str().find("4 pictures are already in the target\nNothing new to sort."), std::string::npos)
        << said();
    EXPECT_EQ(sorted(), first);

    // Taken back: every picture is new again, but for one deleted from the
    // card since, whose copy may be the last one and stays.
    fs::rename(card.path() / "DCIM/renamed.jpg", card.path() / "DCIM/IMG_1.JPG");
    fs::remove(card.path() / "DCIM/sub/IMG_3.JPG");
    EXPECT_EQ(undoLastRun(), JournalCommand::kIncomplete);
    EXPECT_EQ(sorted(), std::vector<std::string>{"2008-03-15/2008-03-15-1_2008-03-15_09-52-01.jpg"});
    ASSERT_EQ(sort({"--dry-run"}), SortCommand::kDone) << said();
    EXPECT_NE(out.str().find("\"pictures\":3,"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"alreadyInTarget\":0}"), std::string::npos) << out.str();
}

TEST_F(SortCommandTest, DeletedStaysDeletedAndALaterShotJoinsItsAlbumFolder) {
    ASSERT_EQ(sort({}), SortCommand::kDone) << said();
    fs::remove(target.path() / "2006-08-17/2006-08-17-1_2006-08-17_09-24-48.jpg");
    // Past midnight, within the event gap of IMG_1: joins its album's folder, not a day of its own.
    const fs::path later = card.write("DCIM/IMG_5.JPG", test::readTestData("canon-40d.jpg"));
    ASSERT_TRUE(test::runExiftool("-AllDates='2008:05:31 01:00:00'", later.string()));
    ASSERT_EQ(sort({}), SortCommand::kDone) << said();
    EXPECT_NE(out.str().find("3 pictures are already in the target"), std::string::npos) << said();
    const std::vector<std::string> files = sorted();
    EXPECT_EQ(files, (std::vector<std::string>{"2008-03-15/2008-03-15-1_2008-03-15_09-52-01.jpg",
                                               "2008-05-30/2008-05-30-1_2008-05-30_15-56-01.jpg",
                                               "2008-05-30/2008-05-30-1_2008-05-31_01-00-00.jpg"}));
}

TEST_F(SortCommandTest, DryRunAndSessionWriteNothingInTheTarget) {
    fs::remove(target.path());
    ASSERT_EQ(sort({"--dry-run", "--by", "month"}), SortCommand::kDone) << said();
    EXPECT_NE(out.str().find("\"pictures\":3,"), std::string::npos) << out.str();
    EXPECT_FALSE(fs::exists(target.path()));

    fs::create_directory(target.path());
    const std::string session = (card.path() / "trip.fls").string();
    ASSERT_EQ(sort({"--session", session}), SortCommand::kDone) << said();
    EXPECT_TRUE(sorted().empty());
    EXPECT_FALSE(fs::exists(target.path() / ".dezoredu"));
    // The albums come back in the program, their pictures in them.
    std::ostringstream loadErr;
    CliHost host(loadErr);
    FileSystem fileSystem;
    LoadedSession loaded(host, fileSystem);
    ASSERT_TRUE(loaded.load(session)) << loadErr.str();
    ASSERT_EQ(loaded.state().albums.size(), 3u);
    for (const Album& album : loaded.state().albums) {
        EXPECT_EQ(album.pictureCount, 1) << album.name;
    }
    EXPECT_EQ(loaded.state().processTargetPath, target.str());

    EXPECT_EQ(sort({"--by", "week"}), SortCommand::kUsageError);
    EXPECT_EQ(sort({"--gap", "100000"}), SortCommand::kUsageError);

    // A file where the target should be is refused before anything is scanned or asked.
    fs::remove_all(target.path());
    std::ofstream(target.path()) << "not a folder";
    EXPECT_EQ(sort({}), SortCommand::kIncomplete);
    EXPECT_EQ(test::fileContents(target.str()), "not a folder");
    EXPECT_EQ(err.str().find("[OK]"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace dz
