#include "app/CPassedOverDlg.h"
#include "app/PictureFilesOption.h"
#include "app/Settings.h"

#include "MainWindowFixture.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace dz::test {
namespace {

using namespace mainwin;

using MainWindowPictureFiles = MainWindowFixture;

TEST_F(MainWindowPictureFiles, AllFormatsIsKeptInItsOwnFileAndTheNextScanTakesRawFiles) {
    source.write("a.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    source.write("b.NEF", readTestData("Nikon.nef"));
    start();
    EXPECT_EQ(state.pictureFiles, PictureFiles::JpegOnly);
    host.onModal("CPictureFilesOption", [](Window& w) {
        EXPECT_EQ(w.title(), "Picture files");
        EXPECT_EQ(w.control(CPictureFilesOption::kJpegOnly).text, "JPEG only");
        EXPECT_EQ(w.control(CPictureFilesOption::kAllFormats).text, "All photos and videos");
        EXPECT_TRUE(w.control(CPictureFilesOption::kJpegOnly).checked);
        w.control(CPictureFilesOption::kAllFormats).checked = true;
        w.onCommand(CPictureFilesOption::kAllFormats);
        EXPECT_FALSE(w.control(CPictureFilesOption::kJpegOnly).checked);
        w.onCommand(CPictureFilesOption::kOk);
    });
    window->onCommand(kMenuPictureFiles);
    EXPECT_EQ(state.pictureFiles, PictureFiles::AllFormats);
    // The choice is kept beside fl.cfg, whose five words stay as they are.
    EXPECT_FALSE(std::filesystem::exists(startFolder.path() / kPictureFilesFileName));
    EXPECT_EQ(loadPictureFiles(state.settingsFolder), PictureFiles::AllFormats);

    // A new start reads the choice back, and its scan takes the raw file.
    window.reset();
    state.pictureFiles = PictureFiles::JpegOnly;
    start();
    EXPECT_EQ(state.pictureFiles, PictureFiles::AllFormats);
    host.browseTo(source.str());
    window->onCommand(kSelectSourceButton);
    EXPECT_EQ(state.scannedCount, 2);
}

TEST_F(MainWindowPictureFiles, CancelKeepsTheChoiceAndAnUnknownWordMeansJpegOnly) {
    start();
    host.onModal("CPictureFilesOption", [](Window& w) {
        w.control(CPictureFilesOption::kAllFormats).checked = true;
        w.onCommand(CPictureFilesOption::kAllFormats);
        w.onCommand(CPictureFilesOption::kCancel);
    });
    window->onCommand(kMenuPictureFiles);
    EXPECT_EQ(state.pictureFiles, PictureFiles::JpegOnly);
    EXPECT_FALSE(std::filesystem::exists(pictureFilesSettingsPath(state.settingsFolder)));

    startFolder.write(kPictureFilesFileName, "everything\n");
    EXPECT_EQ(loadPictureFiles(startFolder.str()), PictureFiles::JpegOnly);
    startFolder.write(kPictureFilesFileName, "all");
    EXPECT_EQ(loadPictureFiles(startFolder.str()), PictureFiles::AllFormats);
}

// Where nothing was saved the window looks for every photo and video; the
// choice beside the source changes it in one click, is kept, and looks at a
// source without albums again.
TEST_F(MainWindowPictureFiles, AWindowWithoutASavedChoiceTakesEveryFileAndOneClickChangesIt) {
    source.write("a.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    source.write("b.NEF", readTestData("Nikon.nef"));
    state.unsavedPictureFiles = AppState{fileSystem}.unsavedPictureFiles;
    start();
    EXPECT_EQ(state.pictureFiles, PictureFiles::AllFormats);
    EXPECT_TRUE(window->control(kPictureFilesAll).checked);
    EXPECT_FALSE(window->control(kPictureFilesJpegOnly).checked);
    host.browseTo(source.str());
    window->onCommand(kSelectSourceButton);
    EXPECT_EQ(state.scannedCount, 2);

    window->onCommand(kPictureFilesJpegOnly);
    EXPECT_EQ(state.pictureFiles, PictureFiles::JpegOnly);
    EXPECT_TRUE(window->control(kPictureFilesJpegOnly).checked);
    EXPECT_EQ(loadPictureFiles(state.settingsFolder, PictureFiles::AllFormats), PictureFiles::JpegOnly);
    EXPECT_EQ(state.scannedCount, 1);
}

// Every file that reads is taken, dated by the first date it has; the one
// that does not is counted in the status and listed one click away.
TEST_F(MainWindowPictureFiles, EveryFileIsTakenAndNoneIsPassedOverInSilence) {
    source.write("a.jpg", tinyExifJpeg("2006:05:10 14:30:00"));
    source.write("IMG-20240711-WA0001.jpg", readTestData("no-exif.jpg"));
    source.write("Screenshot_20240712-130000.png", readTestData("PNG.png"));
    source.write("broken.jpg", "not a picture");
    state.unsavedPictureFiles = PictureFiles::AllFormats;
    start();
    host.browseTo(source.str());
    window->onCommand(kSelectSourceButton);
    std::map<std::string, std::string> dates;
    for (const PictureRecord& p : state.dirReader->catalogue()) {
        dates[p.path.substr(source.str().size() + 1)] =
            std::string(dateSourceWord(p.block->dateSource)) + " " + p.exif().dateTime;
    }
    EXPECT_EQ(dates, (std::map<std::string, std::string>{
                         {"a.jpg", "exif-original 2006:05:10 14:30:00"},
                         {"IMG-20240711-WA0001.jpg", "file-name 2024:07:11 12:00:00"},
                         {"Screenshot_20240712-130000.png", "file-name 2024:07:12 13:00:00"}}));
    EXPECT_EQ(window->control(kStatus).text,
              "Found 3 pictures and videos that have exif information. 1 file passed over.");
    ASSERT_TRUE(window->control(kPassedOverButton).visible);
    std::vector<std::string> listed;
    host.onModal("CPassedOverDlg", [&](Window& w) {
        listed = w.control(CPassedOverDlg::kList).items;
        w.onCommand(CPassedOverDlg::kClose);
    });
    window->onCommand(kPassedOverButton);
    EXPECT_EQ(listed, std::vector<std::string>{source.str() + "/broken.jpg: not a picture or video"});
}

}  // namespace
}  // namespace dz::test
