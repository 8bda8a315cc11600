#include "SessionCommand.h"

#include "SessionFixture.h"

namespace dz {
namespace {

class SessionCommandTest : public test::SessionFixture {
protected:
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        SessionCommand command(out, err);
        return command.run(args);
    }

    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(SessionCommandTest, PrintsEachAlbumWithItsDetailsAndTheSummary) {
    saveSession();
    ASSERT_EQ(run({sessionPath}), SessionCommand::kDone) << err.str();
    const std::string t = target.str();
    EXPECT_EQ(lines(out.str()), (std::vector<std::string>{
                                    "1. Trip",
                                    "  Name: Trip",
                                    "  In album: 2 pictures",
                                    "  Size: 0.02MB",
                                    "  Start date: [2008-03-15]/[09 52 01]",
                                    "  End date: [2008-05-30]/[15 56 01]",
                                    "  Album status: Not processed yet",
                                    "  Album root: " + t + "/2006",
                                    "  Album Path: " + t + "/2006/Trip",
                                    "  Keep Original Name: Yes",
                                    "  Split By Days: No",
                                    "  Use filters: No",
                                    "  Camera: All",
                                    "2. Home",
                                    "  Name: Home",
                                    "  In album: 1 picture",
                                    "  Size: 0.00MB",
                                    "  Start date: [2006-08-17]/[09 24 48]",
                                    "  End date: [09 24 48]",
                                    "  Album status: Not processed yet",
                                    "  Album root: " + t,
                                    "  Album Path: " + t + "//Home",
                                    "  Keep Original Name: No",
                                    "  Split By Days: No",
                                    "  Use filters: No",
                                    "  Camera: All",
                                    "2 albums created. Pictures in albums 3 of 4. Still to add 1. Size 0.02MB",
                                }));
    EXPECT_EQ(err.str(), "");
}

TEST_F(SessionCommandTest, ShowsProcessedAlbumsAndAMissingTarget) {
    albumsProcessed = true;
    chooseTarget = false;
    saveSession();
    ASSERT_EQ(run({sessionPath}), SessionCommand::kDone) << err.str();
    const auto printed = lines(out.str());
    ASSERT_EQ(printed.size(), 27u) << out.str();
    EXPECT_EQ(printed[6], "  Album status: Processed");
    EXPECT_EQ(printed[7], "  Album root: Not Selected. Please select one first./2006");
    EXPECT_EQ(printed[19], "  Album status: Processed");
}

TEST_F(SessionCommandTest, SessionThatCannotBeLoadedPrintsNoAlbums) {
    saveSession();
    std::filesystem::remove(source.path() / "IMG_4.JPG");
    EXPECT_EQ(run({sessionPath}), SessionCommand::kNotLoaded);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(lines(err.str()), (std::vector<std::string>{
                                    "Warning: Source directory was modified. Session could not be loaded! [OK]",
                                    "dezoredu-cli: session not loaded: " + sessionPath}));

    EXPECT_EQ(run({(workFolder.path() / "none.fls").string()}), SessionCommand::kNotLoaded);
    EXPECT_EQ(lines(err.str()).front(), "Dezoredu: File could not be loaded! [OK]");
}

// Scripts see no change: without a saved choice the command line looks
// for JPEG files only, as the window no longer does.
TEST_F(SessionCommandTest, WithoutASavedChoiceOnlyJpegFilesAreLookedFor) {
    saveSession();
    source.write("IMG_9.NEF", test::readTestData("Nikon.nef"));
    EXPECT_EQ(run({sessionPath}), SessionCommand::kDone) << err.str();
}

TEST_F(SessionCommandTest, UsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"a.fls", "b.fls"}, {"--all", "a.fls"}}) {
        EXPECT_EQ(run(args), SessionCommand::kUsageError) << ::testing::PrintToString(args);
        EXPECT_NE(err.str().find("usage: dezoredu-cli session [--all-formats] SESSION.fls"), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace dz
