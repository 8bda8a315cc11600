#include "MainWindowFixture.h"

#include "TinyJpeg.h"

#include <sys/stat.h>

namespace dz {
namespace {

using namespace mainwin;
using test::MainWindowFixture;
using test::tinyExifJpeg;

constexpr const char* kBrowseTitle = "Select folder that hold pictures to process.";
constexpr const char* kWait = "Please wait until the entire folder is scanned.";

class MainWindowScan : public MainWindowFixture {
protected:
    void chooseSource() {
        host.browseTo(source.str());
        window->onCommand(kSelectSourceButton);
    }
};

TEST_F(MainWindowScan, FoundPicturesEnableTheAlbumCommands) {
    source.write("a.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    source.write("sub/b.JPG", tinyExifJpeg("2006:05:11 09:00:00"));
    source.write("sub/plain.jpg", test::tinyPlainJpeg());
    source.write("notes.txt", "not a picture");
    start();
    chooseSource();
    EXPECT_EQ(host.browserTitles, std::vector<std::string>{kBrowseTitle});
    EXPECT_EQ(control(kSourceFolder).text, source.str());
    EXPECT_EQ(control(kStatus).text, "Found 2 .JPG pictures that have exif information.");
    EXPECT_EQ(control(kTargetFolder).text, "Not Selected. Please select one first.");
    EXPECT_EQ(state.scannedCount, 2);
    EXPECT_FALSE(state.scanInProgress);
    EXPECT_TRUE(control(kMenuStartPositive).enabled);
    EXPECT_TRUE(control(kMenuStartNegative).enabled);
    EXPECT_TRUE(control(kMenuSearchDuplicates).enabled);
    EXPECT_FALSE(control(kMenuSaveSession).enabled);
    EXPECT_TRUE(host.messages.empty());
    // Children before parents: the sub-folder's picture comes first.
    ASSERT_EQ(state.dirReader->catalogue().size(), 2u);
    EXPECT_EQ(state.dirReader->catalogue()[0].path, source.str() + "/sub/b.JPG");
    EXPECT_EQ(state.dirReader->catalogue()[1].path, source.str() + "/a.jpg");
}

TEST_F(MainWindowScan, NoPicturesKeepsTheCommandsDisabled) {
    source.write("Temporary Internet Files/cached.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    source.write("plain.jpg", test::tinyPlainJpeg());
    start();
    chooseSource();
    EXPECT_EQ(control(kStatus).text, "No pictures found. Pictures must have exif information.");
    EXPECT_FALSE(control(kMenuStartPositive).enabled);
    EXPECT_FALSE(control(kMenuSearchDuplicates).enabled);
    EXPECT_EQ(state.scannedCount, 0);
}

TEST_F(MainWindowScan, CancelledBrowserChangesNothing) {
    start();
    host.browseTo(std::nullopt);
    window->onCommand(kMenuSelectSource);
    EXPECT_EQ(control(kSourceFolder).text, "Not Selected. Please select one first.");
    EXPECT_EQ(control(kStatus).text, "Wait for input...");
}

TEST_F(MainWindowScan, ZeroDatesAreReplacedWithAWarning) {
    source.write("a.jpg", tinyExifJpeg("0000:00:00 00:00:00"));
    source.write("b.jpg", tinyExifJpeg("0000:00:00 00:00:00"));
    source.write("c.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    start();
    chooseSource();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Warning! Dezoredu found 2 pictures that have date and time set to zero! Date and time was modified "
              "for those pictures in order to run Dezoredu. New date and time was taken from file information. Be "
              "aware that date and time may not be the same as real time when those pictures was shot.");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Information);
    EXPECT_EQ(control(kStatus).text, "Found 3 .JPG pictures that have exif information.");
    for (const auto& picture : state.dirReader->catalogue()) {
        EXPECT_NE(picture.exif().dateTime, "0000:00:00 00:00:00");
        EXPECT_EQ(picture.exif().dateTime.size(), 19u);
    }
}

TEST_F(MainWindowScan, CommandsDuringTheScanAreRefused) {
    for (int i = 0; i < 4; ++i) {
        source.write("p" + std::to_string(i) + ".jpg", tinyExifJpeg("2006:05:10 14:30:0" + std::to_string(i)));
    }
    start();
    host.atPump(1, [&] {
        EXPECT_TRUE(state.scanInProgress);
        EXPECT_EQ(control(kStatus).text, "Scaning source directory. Please Wait...");
        window->onCommand(kSelectSourceButton);
        window->onCommand(kMenuStartPositive);
        window->onCommand(kMenuStartNegative);
        window->onCommand(kAlbumPicture);
    });
    chooseSource();
    ASSERT_EQ(host.messages.size(), 4u);
    for (const auto& m : host.messages) {
        EXPECT_EQ(m.text, kWait);
        EXPECT_EQ(m.caption, "Dezoredu");
        EXPECT_EQ(m.icon, Icon::Exclamation);
    }
    EXPECT_EQ(control(kStatus).text, "Found 4 .JPG pictures that have exif information.");
    // Only the first browser: the refused Select source opened none.
    EXPECT_EQ(host.browserTitles.size(), 1u);
}

TEST_F(MainWindowScan, ProgressIsShownWhileScanning) {
    for (int i = 0; i < 3; ++i) {
        source.write("p" + std::to_string(i) + ".jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    }
    start();
    std::vector<std::string> seen;
    window->setRefreshListener([&] {
        if (control(CVazedazDlg::kScanProgress).visible) {
            seen.push_back(control(CVazedazDlg::kScanProgress).text);
        }
    });
    chooseSource();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), "Pictures found so far: 1");
    EXPECT_FALSE(control(CVazedazDlg::kScanProgress).visible);
}

TEST_F(MainWindowScan, ClosingDuringTheScanStopsIt) {
    for (int i = 0; i < 5; ++i) {
        source.write("p" + std::to_string(i) + ".jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    }
    start();
    host.atPump(1, [&] {
        host.answer(Answer::Yes);
        window->onCancel();
    });
    chooseSource();
    EXPECT_TRUE(window->hasEnded());
    EXPECT_LT(state.dirReader->catalogue().size(), 5u);
    EXPECT_FALSE(state.scanInProgress);
}

TEST_F(MainWindowScan, UnreadableEntryAsksAndCancelKeepsWhatWasFound) {
    // Children before parents: "a" is read before the source folder's own entries.
    source.write("a/first.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    source.makeDir("folder.jpg");
    source.write("z.jpg", tinyExifJpeg("2006:05:10 15:30:00"));
    start();
    host.answer(Answer::Cancel);
    chooseSource();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error while reading from drive");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(control(kStatus).text, "Found 1 .JPG pictures that have exif information.");
}

using MainWindowTarget = MainWindowFixture;

TEST_F(MainWindowTarget, NeedsASourceFirst) {
    start();
    window->onCommand(kSelectTargetButton);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Please select source directory first!");
    EXPECT_EQ(host.messages[0].caption, "Select target directory");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_TRUE(host.browserTitles.empty());
}

TEST_F(MainWindowTarget, RefusesTheSourceAcceptsAFolderInsideIt) {
    start();
    host.browseTo(source.str());
    window->onCommand(kMenuSelectSource);
    host.browseTo(source.str());
    window->onCommand(kSelectTargetButton);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Target directory is the same as source directory!");
    EXPECT_EQ(host.messages[0].caption, "Please select other target directory");
    EXPECT_EQ(control(kTargetFolder).text, "Not Selected. Please select one first.");

    const std::string inside = source.makeDir("out").string();
    host.browseTo(inside);
    window->onCommand(kMenuSelectTarget);
    EXPECT_EQ(control(kTargetFolder).text, inside);
    EXPECT_EQ(state.processTargetPath, inside);
    EXPECT_EQ(host.browserTitles.back(), kBrowseTitle);
}

TEST_F(MainWindowTarget, NewScanAsksForTheTargetAgain) {
    start();
    host.browseTo(source.str());
    window->onCommand(kMenuSelectSource);
    const std::string target = startFolder.makeDir("target").string();
    host.browseTo(target);
    window->onCommand(kMenuSelectTarget);
    host.browseTo(source.str());
    window->onCommand(kMenuSelectSource);
    EXPECT_EQ(control(kTargetFolder).text, "Not Selected. Please select one first.");
    // The processing window's copy of the path stays.
    EXPECT_EQ(state.processTargetPath, target);
}

using MainWindowAlbums = MainWindowFixture;

TEST_F(MainWindowAlbums, RefusalsWithoutAlbums) {
    start();
    window->onCommand(kProcess);
    window->onCommand(kMenuEditSelected);
    window->onCommand(kAlbumPicture);
    window->onCommand(kMenuStartPositive);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"There is no albums defined! Please create at least one album.",
                                        "Please select an album from Albums List first.",
                                        "Please select a source folder first.",
                                        "Source folder does not contain any pictures supported by Dezoredu"}));
    for (const auto& m : host.messages) {
        EXPECT_EQ(m.caption, "Dezoredu");
        EXPECT_EQ(m.icon, Icon::Exclamation);
    }
}

TEST_F(MainWindowAlbums, TimeFormatSaveRefreshesTheAlbumList) {
    start();
    host.onModal("CTimeFormat", [](Window& w) {
        w.control(1101).selection = 2;
        w.onCommand(1);
    });
    window->onCommand(kMenuTimeFormat);
    EXPECT_EQ(state.settings.dateFormatIndex, 3);
    EXPECT_EQ(control(kAlbumSummary).text, "Albums created: None");
    Settings onDisk;
    ASSERT_TRUE(loadSettings(state.settingsFolder, onDisk));
    EXPECT_EQ(onDisk.dateFormatIndex, 3);
}

TEST_F(MainWindowAlbums, TimeFormatDiscardLeavesTheSummary) {
    start();
    window->onCommand(kMenuTimeFormat);  // the scripted host ends it with Cancel
    EXPECT_EQ(host.modalRuns, std::vector<std::string>{"CTimeFormat"});
    EXPECT_EQ(control(kAlbumSummary).text, "No albums created");
}

}  // namespace
}  // namespace dz
