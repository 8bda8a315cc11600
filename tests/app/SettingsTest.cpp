#include "app/Settings.h"
#include "platform/ConfigFolder.h"

#include "LocalStamp.h"
#include "ScriptedHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace dz {
namespace {


std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(LoadSettings, MissingFileChangesNothing) {
    test::TempDir dir;
    Settings settings{3, 2, 1, 1, 0};
    EXPECT_FALSE(loadSettings(dir.str(), settings));
    EXPECT_EQ(settings.dateFormatIndex, 3);
    EXPECT_EQ(settings.skinEnabled, 0);
}

TEST(LoadSettings, ReadsTheFiveLittleEndianWords) {
    test::TempDir dir;
    dir.write("fl.cfg", test::littleEndianWords({7, 2, 1, 1, 0}));
    Settings settings;
    ASSERT_TRUE(loadSettings(dir.str(), settings));
    EXPECT_EQ(settings.dateFormatIndex, 7);
    EXPECT_EQ(settings.timeFormatIndex, 2);
    EXPECT_EQ(settings.excludeDuplicates, 1);
    EXPECT_EQ(settings.moveFiles, 1);
    EXPECT_EQ(settings.skinEnabled, 0);
}

TEST(LoadSettings, SixteenByteFileTurnsTheSkinOn) {
    test::TempDir dir;
    dir.write("fl.cfg", test::littleEndianWords({4, 1, 0, 1}));
    Settings settings;
    settings.skinEnabled = 0;
    ASSERT_TRUE(loadSettings(dir.str(), settings));
    EXPECT_EQ(settings.dateFormatIndex, 4);
    EXPECT_EQ(settings.moveFiles, 1);
    EXPECT_EQ(settings.skinEnabled, 1);
}

TEST(LoadSettings, ShortFileKeepsTheWordsItLacks) {
    test::TempDir dir;
    // One whole word and half of the next.
    dir.write("fl.cfg", test::littleEndianWords({5}) + std::string("\x02\x00", 2));
    Settings settings{1, 2, 1, 1, 0};
    ASSERT_TRUE(loadSettings(dir.str(), settings));
    EXPECT_EQ(settings.dateFormatIndex, 5);
    EXPECT_EQ(settings.timeFormatIndex, 2);
    EXPECT_EQ(settings.excludeDuplicates, 1);
    EXPECT_EQ(settings.skinEnabled, 1);
}

TEST(LoadSettings, NegativeWordsAreSigned) {
    test::TempDir dir;
    dir.write("fl.cfg", test::littleEndianWords({0xFFFFFFFFu, 0, 0, 0, 1}));
    Settings settings;
    ASSERT_TRUE(loadSettings(dir.str(), settings));
    EXPECT_EQ(settings.dateFormatIndex, -1);
}

TEST(SaveSettings, WritesTwentyBytesThatLoadBackMakingTheFolders) {
    test::TempDir dir;
    test::ScriptedHost host;
    const Settings saved{10, 2, 1, 0, 0};
    const std::string folder = dir.str() + "/config/dezoredu";
    ASSERT_TRUE(saveSettings(folder, saved, host));
    EXPECT_EQ(fileBytes(folder + "/fl.cfg"), test::littleEndianWords({10, 2, 1, 0, 0}));
    Settings loaded;
    ASSERT_TRUE(loadSettings(folder, loaded));
    EXPECT_EQ(loaded.dateFormatIndex, 10);
    EXPECT_EQ(loaded.skinEnabled, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST(SaveSettings, UnwritableFolderIsReported) {
    test::TempDir dir;
    test::ScriptedHost host;
    // Below a plain file no folder can be made, not even by root.
    const auto folder = dir.write("plain", "x").string() + "/dezoredu";
    EXPECT_FALSE(saveSettings(folder, Settings{}, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Options could not be saved!");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
}

TEST(SettingsLocation, UserFolderFollowsTheXdgRules) {
    EXPECT_EQ(userConfigFolder("/x/cfg", "/home/u"), "/x/cfg/dezoredu");
    // Unset, empty or relative: the default under the home folder.
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "cfg"}) {
        EXPECT_EQ(userConfigFolder(xdg, "/home/u"), "/home/u/.config/dezoredu") << (xdg ? xdg : "unset");
    }
    EXPECT_EQ(userConfigFolder(nullptr, ""), "");
}

TEST(SettingsLocation, AnFlCfgInTheStartFolderKeepsItThere) {
    test::TempDir start;
    EXPECT_EQ(settingsFolder(start.str(), "/x/cfg/dezoredu"), "/x/cfg/dezoredu");
    EXPECT_EQ(settingsFolder(start.str(), ""), start.str());
    start.write("fl.cfg", test::littleEndianWords({1, 1, 0, 0, 1}));
    EXPECT_EQ(settingsFolder(start.str(), "/x/cfg/dezoredu"), start.str());
}

}  // namespace
}  // namespace dz
