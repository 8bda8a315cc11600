#include "ModalDriver.h"
#include "TempDir.h"

#include "app/CCameraClocksDlg.h"
#include "catalogue/CDirReader.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace dz::test {
namespace {

using W = CCameraClocksDlg;

// The Camera Clocks window on the Qt host over three cameras' pictures.
TEST(CameraClocksViewTest, CamerasStandInColumnsAndEnterInTheClockSetsIt) {
    TempDir source;
    for (const char* name :
         {"canon-40d.jpg", "fujifilm-e500-big-endian.jpg", "nikon-640x480-exif-thumbnail-160x120.jpg"}) {
        source.write(name, readTestData(name));
    }
    gui::QtHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.listFolders(source.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
    ASSERT_EQ(reader.catalogue().size(), 3u);

    CameraClocks clocks;
    bool oneTimeline = true;
    W window(host, reader.catalogue(), clocks, oneTimeline, CameraClocksContext{nullptr, computerOffsetAt, 1, 1, 0});
    ModalDriver driver;
    const int result = runScripted(host, window, driver, [&](QWidget* view) {
        auto* cameras = controlOf<QTreeWidget>(view, W::kCameras);
        ASSERT_NE(cameras, nullptr);
        ASSERT_EQ(cameras->topLevelItemCount(), 3);
        ASSERT_EQ(cameras->columnCount(), static_cast<int>(W::cameraColumns().size()));
        QTreeWidgetItem* canon = cameras->findItems("Canon EOS 40D", Qt::MatchExactly, 1).value(0);
        ASSERT_NE(canon, nullptr);
        EXPECT_EQ(canon->text(3), "1");
        EXPECT_EQ(canon->text(6), "Local time of the place");

        // The user's click selects the camera in the window.
        cameras->setCurrentItem(canon);
        EXPECT_EQ(window.control(W::kCameras).selection, cameras->indexOfTopLevelItem(canon));
        auto* clock = controlOf<QLineEdit>(view, W::kClock);
        EXPECT_EQ(clock->text(), "local");

        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        clock->setFocus();
        clock->selectAll();
        QTest::keyClicks(clock, "+09:00");
        QTest::keyClick(clock, Qt::Key_Return);
        EXPECT_TRUE(view->isVisible()) << "Enter in the clock went to OK";
        canon = cameras->findItems("Canon EOS 40D", Qt::MatchExactly, 1).value(0);
        ASSERT_NE(canon, nullptr);
        EXPECT_EQ(canon->text(6), "+09:00");
        controlOf<QPushButton>(view, W::kOk)->click();
    });
    EXPECT_EQ(result, kResultOk);
    ASSERT_EQ(clocks.byBody.size(), 1u);
    EXPECT_EQ(clocks.byBody[0].first.model, "Canon EOS 40D");
    EXPECT_EQ(clocks.byBody[0].second.offsetSeconds, 9 * 3600);
}

}  // namespace
}  // namespace dz::test
