#include "MainWindowFixture.h"

#include "app/CAboutDlg.h"
#include "app/CSkinOption.h"
#include "app/ProgramVersion.h"
#include "platform/Help.h"

#include "EnvScope.h"
#include "LocalStamp.h"

namespace dz {
namespace {

using namespace mainwin;
using test::MainWindowFixture;


using MainWindowStart = MainWindowFixture;

TEST_F(MainWindowStart, ShowsTheEmptyState) {
    start();
    // The title and the About box say one version.
    EXPECT_EQ(window->title(), std::string("Dezoredu - Professional v") + kProgramVersion);
    EXPECT_EQ(control(kSourceFolder).text, "Not Selected. Please select one first.");
    EXPECT_EQ(control(kTargetFolder).text, "Not Selected. Please select one first.");
    EXPECT_EQ(control(kStatus).text, "Wait for input...");
    EXPECT_EQ(control(kAlbumSummary).text, "No albums created");
    EXPECT_EQ(control(kCloseWindow).text, "Close Window");
    EXPECT_EQ(control(kDeleteAlbum).text, "Delete Album");
    EXPECT_EQ(control(kProcess).text, "Process");
    EXPECT_EQ(control(kSelectSourceButton).toolTip, "Select source folder.");
    EXPECT_EQ(control(kSelectTargetButton).toolTip, "Select target folder.");
    for (int id : {kDeleteAlbum, kMenuStartPositive, kMenuStartNegative, kMenuSaveSession, kMenuSearchDuplicates}) {
        EXPECT_FALSE(control(id).enabled) << id;
    }
    for (int id : {kMenuLoadSession, kMenuSelectSource, kMenuSelectTarget, kMenuTimeFormat, kMenuSkin, kProcess}) {
        EXPECT_TRUE(control(id).enabled) << id;
    }
    EXPECT_EQ(state.appFolder, startFolder.str());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MainWindowStart, MenuItemsCarryTheirTexts) {
    start();
    const std::pair<int, const char*> items[] = {
        {kMenuSaveSession, "Save Session"},   {kMenuLoadSession, "Load Session"},
        {kMenuExit, "Exit"},                  {kMenuSelectSource, "Select source"},
        {kMenuSelectTarget, "Select target"}, {kMenuSearchDuplicates, "Search for duplicates"},
        {kMenuStartPositive, "Start from positive"}, {kMenuStartNegative, "Start from negative"},
        {kMenuEditSelected, "Edit selected"}, {kMenuTimeFormat, "Time Format"},
        {kMenuProcessOptions, "Process"},     {kMenuSkin, "Skin"},
        {kMenuHelpContents, "Help Contents"}, {kMenuHelpIntroduction, "Help Introduction"},
        {kMenuWhatsNew, "What's New"},        {kMenuHomepage, "Dezoredu Homepage"},
        {kMenuAbout, "About"},
    };
    for (const auto& [id, text] : items) {
        EXPECT_EQ(control(id).kind, ControlKind::MenuItem) << id;
        EXPECT_EQ(control(id).text, text) << id;
    }
}

TEST_F(MainWindowStart, MissingSettingsFileGivesTheDefaults) {
    start();
    EXPECT_EQ(state.settings.dateFormatIndex, 1);
    EXPECT_EQ(state.settings.timeFormatIndex, 1);
    EXPECT_EQ(state.settings.excludeDuplicates, 0);
    EXPECT_EQ(state.settings.moveFiles, 0);
    EXPECT_EQ(state.settings.skinEnabled, 1);
    ASSERT_FALSE(host.skinApplied.empty());
    EXPECT_TRUE(host.skinApplied.back());
}

TEST_F(MainWindowStart, SettingsFileInTheStartFolderIsRead) {
    startFolder.write("fl.cfg", test::littleEndianWords({4, 2, 1, 1, 0}));
    start();
    EXPECT_EQ(state.settings.dateFormatIndex, 4);
    EXPECT_EQ(state.settings.timeFormatIndex, 2);
    EXPECT_EQ(state.settings.excludeDuplicates, 1);
    EXPECT_EQ(state.settings.moveFiles, 1);
    EXPECT_EQ(state.settings.skinEnabled, 0);
    ASSERT_FALSE(host.skinApplied.empty());
    EXPECT_FALSE(host.skinApplied.back());
    // It stays where it was found, whatever the user's settings folder.
    EXPECT_EQ(state.settingsFolder, startFolder.str());
}

TEST_F(MainWindowStart, WithoutXdgConfigHomeTheSettingsAreInTheHomeConfigFolder) {
    const test::TempDir home;
    home.write(".config/dezoredu/fl.cfg", test::littleEndianWords({6, 2, 0, 0, 1}));
    const test::EnvScope unset("XDG_CONFIG_HOME", nullptr);
    const test::EnvScope homeScope("HOME", home.str().c_str());
    start();
    EXPECT_EQ(state.settings.dateFormatIndex, 6);
    EXPECT_EQ(state.settingsFolder, home.str() + "/.config/dezoredu");
}

using MainWindowClose = MainWindowFixture;

TEST_F(MainWindowClose, EveryWayOutAsksTheSameQuestion) {
    start();
    // Esc and the close box, then the button (Enter) and File > Exit.
    const std::function<void()> ways[] = {
        [&] { window->onCancel(); },
        [&] { window->onCommand(kCloseWindow); },
        [&] { window->onCommand(kMenuExit); },
    };
    for (const auto& way : ways) {
        host.answer(Answer::No);
        way();
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages.back().text, "Close Dezoredu?");
        EXPECT_EQ(host.messages.back().caption, "Dezoredu");
        EXPECT_EQ(host.messages.back().icon, Icon::Question);
        EXPECT_EQ(host.messages.back().buttons, Buttons::YesNo);
        EXPECT_FALSE(window->hasEnded());
    }
    EXPECT_EQ(host.messages.size(), 3u);
    // The two commands tell the help viewer to quit first; Esc does not.
    EXPECT_EQ(host.helpClosed, 2);
    EXPECT_EQ(control(kStatus).text, "Wait for input...");
}

TEST_F(MainWindowClose, YesEndsTheWindow) {
    start();
    host.answer(Answer::Yes);
    window->onCommand(kMenuExit);
    EXPECT_TRUE(window->hasEnded());
}

using MainWindowHelp = MainWindowFixture;

TEST_F(MainWindowHelp, TopicsOpenFromTheStartFolder) {
    start();
    window->onCommand(kMenuHelpIntroduction);
    window->onCommand(kMenuWhatsNew);
    window->onHelp();
    ASSERT_EQ(host.helpRequests.size(), 3u);
    const std::string file = startFolder.str() + "/DEZOREDU.HLP";
    EXPECT_EQ(host.helpRequests[0].file, file);
    EXPECT_EQ(host.helpRequests[0].topic, 1);
    EXPECT_EQ(host.helpRequests[1].topic, 3);
    EXPECT_EQ(host.helpRequests[2].file, file);
    EXPECT_EQ(host.helpRequests[2].topic, 6);
}

TEST_F(MainWindowHelp, ContentsFollowTheCurrentFolder) {
    start();
    test::TempDir elsewhere;
    ASSERT_EQ(::chdir(elsewhere.str().c_str()), 0);
    window->onCommand(kMenuHelpContents);
    window->onCommand(kMenuHelpIntroduction);
    ASSERT_EQ(host.helpRequests.size(), 2u);
    EXPECT_EQ(host.helpRequests[0].file, elsewhere.str() + "/DEZOREDU.hlp");
    EXPECT_EQ(host.helpRequests[0].topic, 0);
    EXPECT_EQ(host.helpRequests[1].file, startFolder.str() + "/DEZOREDU.HLP");
}

TEST_F(MainWindowHelp, AboutBoxOpensTopic23) {
    start();
    host.onModal("CAboutDlg", [](Window& about) {
        EXPECT_EQ(about.title(), "About Dezoredu");
        EXPECT_EQ(about.control(CAboutDlg::kVersion).text, std::string("Dezoredu Version ") + kProgramVersion);
        EXPECT_EQ(about.control(CAboutDlg::kBuild).text, "Build: 040407");
        about.onHelp();
        about.onCommand(CAboutDlg::kOk);
    });
    window->onCommand(kMenuAbout);
    window->onCommand(kSystemAbout);
    EXPECT_EQ(host.modalRuns, (std::vector<std::string>{"CAboutDlg", "CAboutDlg"}));
    ASSERT_EQ(host.helpRequests.size(), 1u);
    EXPECT_EQ(host.helpRequests[0].topic, 23);
    EXPECT_EQ(host.helpRequests[0].file, startFolder.str() + "/DEZOREDU.HLP");
}

TEST_F(MainWindowHelp, ShippedHelpFileHasEveryTopic) {
    // The help file goes with the program; every window's F1 must land on a page.
    const std::string help = test::readTestData("../../resources/help/DEZOREDU.HLP");
    for (int topic : {1, 3, 6, 7, 8, 9, 13, 14, 15, 16, 19, 22, 23}) {
        EXPECT_NE(help.find("name=\"topic-" + std::to_string(topic) + "\""), std::string::npos) << topic;
    }
}

using MainWindowHomepage = MainWindowFixture;

TEST_F(MainWindowHomepage, OkOpensTheAddressCancelDoesNothing) {
    start();
    host.answer(Answer::Cancel);
    window->onCommand(kMenuHomepage);
    EXPECT_TRUE(host.webAddresses.empty());
    host.answer(Answer::Ok);
    window->onCommand(kMenuHomepage);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "You must be connected to Internet before continue!");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu - Visit Homepage");
    EXPECT_EQ(host.messages[0].icon, Icon::Information);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(host.webAddresses, std::vector<std::string>{kHomePageAddress});
}

using MainWindowSkin = MainWindowFixture;

TEST_F(MainWindowSkin, OkStoresAndSavesTheWord) {
    start();
    host.onModal("CSkinOption", [](Window& skin) {
        EXPECT_EQ(skin.title(), "Skin Options");
        EXPECT_TRUE(skin.control(CSkinOption::kEnableSkin).checked);
        EXPECT_EQ(skin.control(CSkinOption::kEnableSkin).text, "Enable Skin");
        skin.control(CSkinOption::kEnableSkin).checked = false;
        skin.onCommand(CSkinOption::kOk);
    });
    window->onCommand(kMenuSkin);
    EXPECT_EQ(state.settings.skinEnabled, 0);
    ASSERT_FALSE(host.skinApplied.empty());
    EXPECT_FALSE(host.skinApplied.back());
    // With no fl.cfg in the start folder it goes to $XDG_CONFIG_HOME/dezoredu,
    // which is made for it.
    Settings onDisk;
    ASSERT_TRUE(loadSettings(startFolder.str() + "/config/dezoredu", onDisk));
    EXPECT_EQ(onDisk.skinEnabled, 0);
    EXPECT_FALSE(std::filesystem::exists(startFolder.path() / kSettingsFileName));
}

TEST_F(MainWindowSkin, CancelKeepsTheWordButReapplies) {
    start();
    const std::size_t applied = host.skinApplied.size();
    host.onModal("CSkinOption", [](Window& skin) {
        skin.control(CSkinOption::kEnableSkin).checked = false;
        skin.onCommand(CSkinOption::kCancel);
    });
    window->onCommand(kMenuSkin);
    EXPECT_EQ(state.settings.skinEnabled, 1);
    ASSERT_EQ(host.skinApplied.size(), applied + 1);
    EXPECT_TRUE(host.skinApplied.back());
    Settings onDisk;
    EXPECT_FALSE(loadSettings(startFolder.str(), onDisk));
}

}  // namespace
}  // namespace dz
