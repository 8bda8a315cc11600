#include "MediaFiles.h"
#include "ModalDriver.h"
#include "TempDir.h"

#include "app/CSuggestAlbumsDlg.h"
#include "catalogue/CDirReader.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

namespace dz::test {
namespace {

using W = CSuggestAlbumsDlg;

// The Suggest Albums window on the Qt host over a morning's two pictures
// and one three days on.
TEST(SuggestAlbumsViewTest, TheSliderCountsAtOnceAndProposesOnceItSettles) {
    TempDir source;
    const auto shot = [&](const std::string& name, const std::string& time) {
        const std::string path = source.write(name, readTestData("canon-40d.jpg")).string();
        ASSERT_TRUE(runExiftool("-DateTimeOriginal='" + time + "'", path));
    };
    shot("a.jpg", "2024:07:05 09:00:00");
    shot("b.jpg", "2024:07:05 11:00:00");
    shot("c.jpg", "2024:07:08 09:00:00");
    gui::QtHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.listFolders(source.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
    ASSERT_EQ(reader.catalogue().size(), 3u);

    AlbumList albums;
    W window(host, reader.catalogue(), albums, SuggestAlbumsContext{1, 1, reader.biasMinutes()});
    ModalDriver driver;
    const int result = runScripted(host, window, driver, [&](QWidget* view) {
        auto* proposals = controlOf<QTreeWidget>(view, W::kProposals);
        auto* slider = controlOf<QSlider>(view, W::kGap);
        auto* count = controlOf<QLabel>(view, W::kCount);
        auto* mode = controlOf<QComboBox>(view, W::kMode);
        ASSERT_TRUE(proposals && slider && count && mode);
        EXPECT_EQ(mode->itemText(3), "Places");
        EXPECT_EQ(slider->value(), 12);
        EXPECT_EQ(proposals->topLevelItemCount(), 2);
        EXPECT_EQ(proposals->columnCount(), static_cast<int>(W::proposalColumns().size()));

        QTest::keyClick(slider, Qt::Key_Home);
        EXPECT_EQ(count->text(), "3 albums");
        EXPECT_EQ(proposals->topLevelItemCount(), 2) << "proposed before the slider settled";
        EXPECT_TRUE(waitUntil([&] { return proposals->topLevelItemCount() == 3; }));
        controlOf<QPushButton>(view, W::kAccept)->click();
    });
    EXPECT_EQ(result, kResultOk);
    EXPECT_EQ(albums.size(), 3u);
}

}  // namespace
}  // namespace dz::test
