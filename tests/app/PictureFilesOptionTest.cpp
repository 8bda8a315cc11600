#include "app/PictureFilesOption.h"
#include "app/Settings.h"

#include "MainWindowFixture.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace dz::test
