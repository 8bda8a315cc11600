#include "ModalDriver.h"
#include "TempDir.h"

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/CManualTime.h"
#include "albums/CViewPhoto.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

#include <algorithm>
#include <string>

namespace dz::test {
namespace {

using W = CViewPhoto;
using M = CManualTime;

// The Edit Album window of a new album on the Qt host, over a film of three
// real pictures: fuji (2006-08-17 09:24:48), canon (2008-05-30 15:56:01) and
// nikon (2008-10-22 16:28:39).
class ManualTimeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"canon-40d.jpg", "fujifilm-e500-big-endian.jpg", "nikon-640x480-exif-thumbnail-160x120.jpg"}) {
            source.write(name, readTestData(name));
        }
        reader.setBiasMinutes(ws.biasMinutes);
        reader.listFolders(source.str(), true);
        ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
        ASSERT_EQ(reader.catalogue().size(), 3u);
        ASSERT_TRUE(createAlbum(albums, editing, reader, host));
    }

    std::uint64_t keyOf(const std::string& fileName) {
        const auto& c = reader.catalogue();
        const auto found = std::find_if(c.begin(), c.end(), [&](const PictureRecord& r) {
            return r.path.size() > fileName.size() && r.path.substr(r.path.size() - fileName.size()) == fileName;
        });
        EXPECT_NE(found, c.end()) << fileName;
        return found == c.end() ? 0 : pictureShotKey(*found, ws.biasMinutes);
    }

    // Runs the Edit Album window with `script` inside it once its film is
    // built; then discards it.
    void runEditAlbum(const std::function<void(QWidget*)>& script) {
        CViewPhoto window(ws);
        bool ran = false;
        driver.when([this](QWidget* w) { return isView("CViewPhoto")(w) && filmBuilt; },
                    [&](QWidget* view) {
                        ran = true;
                        script(view);
                        controlOf<QPushButton>(view, W::kDiscard)->click();
                    });
        host.runModal(window);
        EXPECT_TRUE(ran) << "the Edit Album window never came up";
    }

    TempDir source;
    ModalDriver driver;
    gui::QtHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader{host, fileSystem, abortRequest};
    AlbumList albums;
    AlbumEditing editing;
    ViewSettings view;
    FilmImageList images;
    bool filmBuilt = false;
    std::int32_t dateFormat = 1;
    std::int32_t timeFormat = 1;
    std::int32_t excludeDuplicates = 0;
    AlbumWorkspace ws{host,   reader,    albums,       editing,    view,
                      images, filmBuilt, abortRequest, dateFormat, timeFormat,
                      excludeDuplicates, currentTimeZone().totalBiasMinutes(), "DEZOREDU.HLP"};
};

TEST_F(ManualTimeViewTest, ChosenEndIsStoredAndShownInTheEditAlbumWindow) {
    std::uint64_t startKey = 0;
    std::uint64_t endKey = 0;
    runEditAlbum([&](QWidget* editView) {
        QAction* item = actionOf(editView, W::kMenuManualRange);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text().remove(QLatin1Char('&')), "Manual time range");
        ASSERT_TRUE(item->isEnabled());
        bool shown = false;
        driver.when(isView("CManualTime"), [&](QWidget* dialog) {
            shown = true;
            EXPECT_EQ(dialog->windowTitle(), "Manual Time Range Settings");
            auto* startDate = controlOf<QDateEdit>(dialog, M::kStartDate);
            auto* startTime = controlOf<QTimeEdit>(dialog, M::kStartTime);
            auto* endDate = controlOf<QDateEdit>(dialog, M::kEndDate);
            auto* endTime = controlOf<QTimeEdit>(dialog, M::kEndTime);
            ASSERT_TRUE(startDate && startTime && endDate && endTime);
            EXPECT_EQ(startDate->date(), QDate(2006, 8, 17));
            EXPECT_EQ(startTime->time(), QTime(9, 24, 48));
            EXPECT_EQ(endDate->date(), QDate(2008, 10, 22));
            EXPECT_EQ(endTime->time(), QTime(16, 28, 39));
            EXPECT_TRUE(startDate->alignment() & Qt::AlignRight);
            EXPECT_TRUE(endTime->alignment() & Qt::AlignRight);
            EXPECT_TRUE(startDate->displayFormat().contains("yyyy")) << startDate->displayFormat().toStdString();
            EXPECT_EQ(controlOf<QLabel>(dialog, M::kTo)->text(), "to");
            // The end on the canon: the nikon leaves the album.
            endDate->setDate(QDate(2008, 5, 30));
            endTime->setTime(QTime(15, 56, 1));
            controlOf<QPushButton>(dialog, M::kOk)->click();
            EXPECT_FALSE(dialog->isVisible());
        });
        item->trigger();
        ASSERT_TRUE(shown) << "the Manual Time Range Settings window never came up";
        startKey = albums.back().startKey;
        endKey = albums.back().endKey;
        EXPECT_EQ(controlOf<QLabel>(editView, W::kEndText)->text(), "[2008-05-30] [15 56 01]");
        EXPECT_EQ(controlOf<QLabel>(editView, W::kStartText)->text(), "[2006-08-17] [09 24 48]");
        EXPECT_TRUE(controlOf<QPushButton>(editView, W::kClearStart)->isEnabled());
        EXPECT_TRUE(controlOf<QPushButton>(editView, W::kClearEnd)->isEnabled());
        EXPECT_EQ(controlOf<QLabel>(editView, W::kStatus)->text(), "New Album: 2 pictures in album.");
    });
    EXPECT_EQ(startKey, keyOf("fujifilm-e500-big-endian.jpg"));
    EXPECT_EQ(endKey, keyOf("canon-40d.jpg"));
}

TEST_F(ManualTimeViewTest, CancelLeavesTheRange) {
    runEditAlbum([&](QWidget* editView) {
        const Album before = albums.back();
        driver.when(isView("CManualTime"), [&](QWidget* dialog) {
            controlOf<QDateEdit>(dialog, M::kStartDate)->setDate(QDate(2001, 1, 1));
            controlOf<QPushButton>(dialog, M::kCancel)->click();
        });
        actionOf(editView, W::kMenuManualRange)->trigger();
        EXPECT_EQ(albums.back().startKey, before.startKey);
        EXPECT_EQ(albums.back().endKey, before.endKey);
        EXPECT_FALSE(controlOf<QPushButton>(editView, W::kClearStart)->isEnabled());
        EXPECT_EQ(controlOf<QLabel>(editView, W::kStatus)->text(), "New Album: 3 pictures in album.");
    });
}

}  // namespace
}  // namespace dz::test
