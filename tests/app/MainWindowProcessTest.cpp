#include "MainWindowFixture.h"

#include "app/CPotion.h"
#include "app/Settings.h"
#include "platform/ConfigFolder.h"
#include "process/CProcess.h"

#include "TinyJpeg.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace dz {
namespace {

using namespace mainwin;
using test::tinyExifJpeg;

// A scanned source of three pictures, one album over two of them and a target.
class MainWindowProcess : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        for (int i = 0; i < 3; ++i) {
            source.write("p" + std::to_string(i) + ".jpg", tinyExifJpeg("2006:05:1" + std::to_string(i) + " 10:05:07"));
        }
        start();
        host.browseTo(source.str());
        window->onCommand(kMenuSelectSource);
        Album album;
        album.name = "Spring";
        album.id = 1;
        album.isNew = 0;
        album.addDate = 0;
        album.addTime = 0;
        album.pictureCount = 2;
        state.albums.push_back(album);
        auto& catalogue = state.dirReader->catalogue();
        // As the film of the Edit Album window numbers them.
        for (int i = 0; i < 3; ++i) {
            catalogue[i].block->filmImageIndex = i;
        }
        catalogue[0].albumId = 1;
        catalogue[1].albumId = 1;
        target = startFolder.makeDir("out").string();
        host.browseTo(target);
        window->onCommand(kSelectTargetButton);
        window->refreshAlbumList();
    }

    static std::string fileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string target;
};

TEST_F(MainWindowProcess, ProcessOpensTheProcessingWindowOnTheChosenTarget) {
    std::string shownStatus;
    host.onModal("CProcess", [&shownStatus](Window& w) {
        shownStatus = w.control(CProcess::kProcessStatus).text;
        w.onCommand(CProcess::kProcess);
        w.onCommand(CProcess::kCloseWindow);
    });
    window->onCommand(kProcess);
    EXPECT_EQ(host.modalRuns, std::vector<std::string>{"CProcess"});
    EXPECT_EQ(shownStatus.rfind(" Found enough space on ", 0), 0u) << shownStatus;
    EXPECT_TRUE(std::filesystem::exists(target + "/Spring/Spring-0.jpg"));
    EXPECT_TRUE(std::filesystem::exists(target + "/Spring/Spring-1.jpg"));
    EXPECT_TRUE(std::filesystem::exists(source.str() + "/p0.jpg"));  // copied, not moved
    EXPECT_EQ(state.albums[0].isProcessed, 1);
    EXPECT_EQ(control(kAlbumsList).items, std::vector<std::string>{"1. Spring"});
}

TEST_F(MainWindowProcess, UndoTakesTheMovedAlbumBackAndAnInterruptedRunIsOfferedToFinish) {
    state.settings.moveFiles = 1;
    const std::string p0 = source.str() + "/p0.jpg";
    const std::string bytes0 = fileText(p0);
    host.onModal("CProcess", [](Window& w) {
        w.onCommand(CProcess::kProcess);
        w.onCommand(CProcess::kCloseWindow);
    });
    window->onCommand(kProcess);
    ASSERT_EQ(state.albums[0].isProcessed, 1);
    ASSERT_FALSE(std::filesystem::exists(p0));

    host.answer(Answer::Yes);
    window->onCommand(kMenuUndoProcessing);
    EXPECT_EQ(host.messages.at(0).text, "Undo the last processing? 2 moved pictures go back to their source folders."
                                        "\n\nSource folder: " + source.str() + "\nTarget folder: " + target);
    EXPECT_EQ(host.messages.at(1).text, "2 pictures went back.");
    EXPECT_EQ(fileText(p0), bytes0);
    EXPECT_FALSE(std::filesystem::exists(target + "/Spring"));
    EXPECT_EQ(state.albums[0].isProcessed, 0);

    // A run cut short after its first picture: its journal ends there.
    host.messages.clear();
    host.onModal("CProcess", [](Window& w) {
        w.onCommand(CProcess::kProcess);
        w.onCommand(CProcess::kCloseWindow);
    });
    window->onCommand(kProcess);
    std::string journal;
    for (const auto& entry : std::filesystem::directory_iterator(target + "/.dezoredu/journal")) {
        journal = std::max(journal, entry.path().string());
    }
    // A crash there: the journal ends with that line, and the user's record
    // of the run is where it was sealed last, no further than the cut.
    std::string text = fileText(journal);
    text.erase(text.find('\n', text.find("\"event\":\"start\"")) + 1);
    std::ofstream(journal, std::ios::binary | std::ios::trunc) << text;
    const std::string runId = text.substr(text.find("\"run\":\"") + 7, 32);
    const std::string firstSeal = text.substr(text.find("\"mac\":\"") + 7, 64);
    std::ofstream(userDataFolder() + "/runs/" + runId, std::ios::trunc) << "lines 1 mac " << firstSeal << "\n";
    std::filesystem::rename(target + "/Spring/Spring-1.jpg", source.str() + "/p1.jpg");
    state.albums[0].isProcessed = 0;

    host.answer(Answer::Yes);  // finish it
    host.onModal("CProcess", [](Window& w) { w.onCommand(CProcess::kCloseWindow); });
    window->onCommand(kProcess);
    EXPECT_EQ(host.messages.at(0).text,
              "The target folder holds a processing run that was interrupted (0 of 2 pictures done). Finish it now?"
              "\n\nSource folder: " + source.str() + "\nTarget folder: " + target);
    EXPECT_EQ(host.messages.at(1).text, "The interrupted run is finished: 2 pictures done now, 0 found done.");
    EXPECT_EQ(state.albums[0].isProcessed, 1);
    EXPECT_FALSE(std::filesystem::exists(source.str() + "/p1.jpg"));
    EXPECT_TRUE(std::filesystem::exists(target + "/Spring/Spring-1.jpg"));
}

// A key made anew (another account, a lost data folder): the last run's
// journal is offered to be taken, the user naming its source, and is then undone.
TEST_F(MainWindowProcess, AJournalOfAnotherKeyIsUndoneOnlyOnceTheUserTakesIt) {
    host.onModal("CProcess", [](Window& w) {
        w.onCommand(CProcess::kProcess);
        w.onCommand(CProcess::kCloseWindow);
    });
    window->onCommand(kProcess);
    ASSERT_TRUE(std::filesystem::exists(target + "/Spring/Spring-0.jpg"));
    test::TempDir newKey;
    state.dataFolder = newKey.str();

    host.answer(Answer::No);
    window->onCommand(kMenuUndoProcessing);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("A journal in the target folder was written under another account", 0), 0u)
        << host.messages[0].text;
    EXPECT_TRUE(std::filesystem::exists(target + "/Spring/Spring-0.jpg"));

    host.messages.clear();
    host.answer(Answer::Yes);  // take it
    host.browseTo(source.str());
    host.answer(Answer::Yes);  // undo it
    window->onCommand(kMenuUndoProcessing);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[1].text, "Undo the last processing? 2 copied pictures are removed from the target folder."
                                     "\n\nSource folder: " + source.str() + "\nTarget folder: " + target);
    EXPECT_EQ(host.messages[2].text, "2 pictures went back.");
    EXPECT_FALSE(std::filesystem::exists(target + "/Spring/Spring-0.jpg"));
    EXPECT_TRUE(std::filesystem::exists(source.str() + "/p0.jpg"));
}

TEST_F(MainWindowProcess, ProcessOptionChoosesMoveAfterTheBackupWarning) {
    host.onModal("CPotion", [](Window& w) {
        w.control(CPotion::kMoveFiles).checked = true;
        w.onCommand(CPotion::kMoveFiles);
        w.control(CPotion::kVerifyCopies).checked = true;
        w.control(CPotion::kLeaveOutSorted).checked = true;
        w.onCommand(CPotion::kSave);
    });
    host.answer(Answer::Ok);  // the backup warning
    window->onCommand(kMenuProcessOptions);
    // "Verify copies" and "Leave out pictures already in the target" are kept beside the other options.
    EXPECT_TRUE(state.verifyCopies);
    EXPECT_TRUE(loadVerifyCopies(state.settingsFolder));
    EXPECT_TRUE(state.leaveOutSorted.value_or(false));
    EXPECT_TRUE(loadLeaveOutSorted(state.settingsFolder));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "Even if this program use the most safe routine for moving files, in order to protect your data, "
              "before continue it is strongly recommended to make a backup of your source folder.");
    EXPECT_EQ(host.messages[0].caption, "Move selected");
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(host.messages[1].text, "Move selected");
    EXPECT_EQ(state.settings.moveFiles, 1);
    Settings stored;
    ASSERT_TRUE(loadSettings(state.settingsFolder, stored));
    EXPECT_EQ(stored.moveFiles, 1);

    // Moving then takes the pictures away from the source.
    host.onModal("CProcess", [](Window& w) {
        EXPECT_EQ(w.control(CProcess::kProcessHint).text, "Press 'Process' to create albums. (By move)");
        w.onCommand(CProcess::kProcess);
    });
    window->onCommand(kProcess);
    EXPECT_TRUE(std::filesystem::exists(target + "/Spring/Spring-0.jpg"));
    EXPECT_FALSE(std::filesystem::exists(source.str() + "/p0.jpg"));
    EXPECT_TRUE(std::filesystem::exists(source.str() + "/p2.jpg"));
}

TEST_F(MainWindowProcess, CancellingTheBackupWarningClearsTheBoxAndSaveKeepsCopying) {
    bool checkedAfterCancel = true;
    host.onModal("CPotion", [&checkedAfterCancel](Window& w) {
        w.control(CPotion::kMoveFiles).checked = true;
        w.onCommand(CPotion::kMoveFiles);
        checkedAfterCancel = w.control(CPotion::kMoveFiles).checked;
        w.onCommand(CPotion::kSave);
    });
    host.answer(Answer::Cancel);
    window->onCommand(kMenuProcessOptions);
    EXPECT_FALSE(checkedAfterCancel);
    EXPECT_EQ(host.messageTexts().back(), "Copy selected");
    EXPECT_EQ(state.settings.moveFiles, 0);
}

TEST_F(MainWindowProcess, DiscardChangesNothing) {
    host.onModal("CPotion", [](Window& w) {
        w.control(CPotion::kMoveFiles).checked = true;
        w.onCommand(CPotion::kMoveFiles);
        w.onCommand(CPotion::kDiscard);
    });
    window->onCommand(kMenuProcessOptions);
    EXPECT_EQ(state.settings.moveFiles, 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(state.settingsFolder) / kSettingsFileName));
}

TEST_F(MainWindowProcess, TheChoiceIsFixedOnceAnAlbumIsProcessed) {
    state.albums[0].isProcessed = 1;
    bool boxEnabled = true;
    bool saveEnabled = true;
    host.onModal("CPotion", [&](Window& w) {
        boxEnabled = w.control(CPotion::kMoveFiles).enabled;
        saveEnabled = w.control(CPotion::kSave).enabled;
        w.onCommand(CPotion::kSave);  // a disabled button does nothing
    });
    window->onCommand(kMenuProcessOptions);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "This option is available only if no album is processed yet. You must decide from the begining if "
              "files will be copied or moved.");
    EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
    EXPECT_FALSE(boxEnabled);
    EXPECT_FALSE(saveEnabled);
}

}  // namespace
}  // namespace dz
