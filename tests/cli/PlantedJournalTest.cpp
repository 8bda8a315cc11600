// Journals found in a target are believed only when this user's program
// wrote them for that very target, and never beyond their folders.
#include "JournalCommands.h"
#include "ProcessCommand.h"

#include "SessionFixture.h"

#include "journal/JournalFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace dz {
namespace {

namespace fs = std::filesystem;

class PlantedJournalTest : public test::SessionFixture {
protected:
    void SetUp() override {
        SessionFixture::SetUp();
        victim = home.write("Documents/letter.txt", "precious").string();
        saveSession();
        std::ostringstream out;
        std::ostringstream err;
        FileSystem fileSystem;
        ASSERT_EQ(ProcessCommand(out, err, fileSystem).run({sessionPath}), 0) << err.str();
        journal = journalsOf(target.str()).at(0);
        genuine = fileText(journal);
    }

    int replay(JournalCommand::Kind kind, const std::string& path) {
        out.str("");
        err.str("");
        FileSystem fileSystem;
        return JournalCommand(kind, out, err, fileSystem).run({path});
    }

    // Both commands refuse the journal at `path`, touching nothing.
    void expectRefused(const std::string& path, const std::string& why) {
        for (const auto kind : {JournalCommand::Kind::Undo, JournalCommand::Kind::Resume}) {
            EXPECT_EQ(replay(kind, path), JournalCommand::kIncomplete) << why;
            EXPECT_NE(err.str().find("refused, nothing was touched"), std::string::npos) << why << ": " << err.str();
        }
        EXPECT_EQ(fileText(victim), "precious") << why;
        EXPECT_EQ(fileText(tripFolder() + "/IMG_1.jpg"), fileText(source.str() + "/IMG_1.JPG")) << why;
    }

    static std::string replaced(std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }

    test::TempDir home;
    std::string victim;
    std::string journal;
    std::string genuine;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(PlantedJournalTest, ForgedChangedMovedAndRolledBackJournalsAreRefusedWhole) {
    const std::string relativeVictim = fs::relative(victim, target.path()).string();
    // A line changed by hand: its seal no longer fits.
    std::ofstream(journal, std::ios::trunc) << replaced(genuine, "\"target\":\"2006/Trip/IMG_1.jpg\"",
                                                        "\"target\":\"" + relativeVictim + "\"");
    expectRefused(journal, "changed line");

    // A journal of the kind an older program wrote, without seals, naming paths anywhere.
    std::ofstream(journal, std::ios::trunc)
        << "{\"event\":\"plan\",\"version\":1,\"target\":\"" << target.str()
        << "\",\"mode\":\"copy\",\"steps\":[{\"step\":1,\"album\":1,\"source\":\"/nowhere\",\"target\":\"" << victim
        << "\",\"size\":8}]}\n{\"event\":\"start\",\"step\":1,\"target\":\"" << victim
        << "\",\"action\":\"copy\",\"replace\":true}\n";
    expectRefused(journal, "unsealed journal");

    // A genuine journal put into another target: its folder is not the run's.
    test::TempDir other;
    fs::create_directories(other.path() / ".dezoredu/journal");
    const std::string elsewhere = (other.path() / ".dezoredu/journal" / fs::path(journal).filename()).string();
    std::ofstream(elsewhere) << genuine;
    expectRefused(elsewhere, "journal of another target");

    // Undone, then the journal put back as it was before: behind its record.
    std::ofstream(journal, std::ios::trunc) << genuine;
    ASSERT_EQ(replay(JournalCommand::Kind::Undo, journal), JournalCommand::kDone) << err.str();
    EXPECT_FALSE(fs::exists(tripFolder() + "/IMG_1.jpg"));
    std::ofstream(journal, std::ios::trunc) << genuine;
    for (const auto kind : {JournalCommand::Kind::Undo, JournalCommand::Kind::Resume}) {
        EXPECT_EQ(replay(kind, journal), JournalCommand::kIncomplete);
        EXPECT_NE(err.str().find("behind this user's record"), std::string::npos) << err.str();
    }
    EXPECT_FALSE(fs::exists(tripFolder() + "/IMG_1.jpg"));
}

TEST_F(PlantedJournalTest, APipeOrADeviceInTheJournalFolderStallsNothing) {
    const fs::path folder = fs::path(journal).parent_path();
    ASSERT_EQ(::mkfifo((folder / "z-pipe.jsonl").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "z-zero.jsonl");
    // Listing passes both over; named directly they are refused, not read.
    EXPECT_EQ(journalsOf(target.str()), std::vector<std::string>{journal});
    for (const char* name : {"z-pipe.jsonl", "z-zero.jsonl"}) {
        expectRefused((folder / name).string(), name);
    }
}

TEST_F(PlantedJournalTest, ALinkPlantedAsTheProgramsFolderIsNotFollowed) {
    fs::remove_all(target.path() / ".dezoredu");
    fs::create_symlink(home.path(), target.path() / ".dezoredu");
    std::ostringstream out;
    std::ostringstream err;
    FileSystem fileSystem;
    // The run asks to go on without a journal rather than write one into the link's folder.
    ProcessCommand(out, err, fileSystem).run({sessionPath});
    EXPECT_FALSE(fs::exists(home.path() / "journal"));
    EXPECT_NE(err.str().find("journal of this run cannot be written"), std::string::npos) << err.str();
}

// A genuine journal, and the drive's owner swaps an album folder for a link
// to the user's own files, the same bytes planted there: undo works beneath
// the target and touches nothing behind the link.
TEST_F(PlantedJournalTest, AFolderSwappedForALinkIsNotFollowedByUndo) {
    const fs::path planted = home.path() / "Trip";
    fs::create_directories(planted);
    fs::copy_file(tripFolder() + "/IMG_1.jpg", planted / "IMG_1.jpg");
    fs::remove_all(tripFolder());
    fs::create_directory_symlink(planted, tripFolder());
    EXPECT_NE(replay(JournalCommand::Kind::Undo, journal), JournalCommand::kDone);
    EXPECT_TRUE(fs::exists(planted / "IMG_1.jpg"));
    EXPECT_EQ(fileText(victim), "precious");
}

// The user's own journal from before the key was made anew is refused until
// the user takes it, naming its source; a journal reaching outside its
// folders is refused even then.
TEST_F(PlantedJournalTest, AJournalOfAnotherKeyIsTakenOnlyByTheUsersWordAndStaysInBounds) {
    test::TempDir newKey;
    test::EnvScope dataHome{"XDG_DATA_HOME", newKey.str().c_str()};
    expectRefused(journal, "journal of another key");

    const std::string relativeVictim = fs::relative(victim, target.path()).string();
    const std::string forged = replaced(genuine, "\"target\":\"2006/Trip/IMG_1.jpg\"",
                                        "\"target\":\"" + relativeVictim + "\"");
    std::ofstream(journal, std::ios::trunc) << forged;
    std::ostringstream trustOut;
    std::ostringstream trustErr;
    EXPECT_EQ(TrustCommand(trustOut, trustErr).run({journal, "--source", source.str()}), TrustCommand::kRefused);
    EXPECT_NE(trustErr.str().find("outside its folders"), std::string::npos) << trustErr.str();

    std::ofstream(journal, std::ios::trunc) << genuine;
    ASSERT_EQ(TrustCommand(trustOut, trustErr).run({journal, "--source", source.str()}), TrustCommand::kDone)
        << trustErr.str();
    const std::string adopted = trustOut.str().substr(0, trustOut.str().find('\n'));
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(journalsOf(target.str()), std::vector<std::string>{adopted});
    ASSERT_EQ(replay(JournalCommand::Kind::Undo, adopted), JournalCommand::kDone) << err.str();
    EXPECT_FALSE(fs::exists(tripFolder() + "/IMG_1.jpg"));
    EXPECT_EQ(fileText(victim), "precious");
}

}  // namespace
}  // namespace dz
