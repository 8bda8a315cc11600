#include "ModalDriver.h"
#include "TempDir.h"

#include "albums/CAdvancedFilter.h"
#include "albums/CViewPhoto.h"
#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "app/MainWindowIds.h"
#include "filter/FilterControls.h"
#include "gui/QtHost.h"
#include "gui/ThumbnailListView.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <unistd.h>

#include <functional>
#include <string>

namespace dz::test {
namespace {

using W = CViewPhoto;
using F = CAdvancedFilter;

constexpr int kIsoMax = 1091, kIsoMin = 1092, kIsoBox = 1141, kIsoReset = 1134, kIsoLamp = 1157;
constexpr int kCamera = 1074, kModel = 1075;

gui::ThumbnailListView* filmOf(QWidget* view) {
    return controlOf<gui::ThumbnailListView>(view, W::kFilm);
}

bool filmCounts(QWidget* editView, int count) {
    gui::ThumbnailListView* film = filmOf(editView);
    return film && film->model()->rowCount() == count;
}

QWidget* filterViewOf(QWidget* editView) {
    for (QWidget* w : editView->findChildren<QWidget*>(QStringLiteral("CAdvancedFilter"))) {
        if (w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

QStringList itemsOf(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

// The user picks an entry of a drop-down list.
void pick(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QImage lampOf(QWidget* view, int id) {
    return controlOf<QLabel>(view, id)->pixmap().toImage();
}

// The main window on the Qt host over three real pictures (ISO 100, 100 and
// 64); a new album's Edit Album window opens the filter from its menu.
class AdvancedFilterViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The choices of the window as the first program made them.
        state.unsavedPictureFiles = PictureFiles::JpegOnly;
        char buffer[4096];
        ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
        previousFolder_ = buffer;
        ASSERT_EQ(::chdir(startFolder.str().c_str()), 0);
        for (const char* name :
             {"canon-40d.jpg", "fujifilm-e500-big-endian.jpg", "nikon-640x480-exif-thumbnail-160x120.jpg"}) {
            source.write(name, readTestData(name));
        }
    }
    void TearDown() override { ASSERT_EQ(::chdir(previousFolder_.c_str()), 0); }

    // Runs the main window with the source selected and a new album's Edit
    // Album window open on its built film; `script` runs there. A window the
    // script leaves open is discarded, and the main window closed with Yes.
    void runEditAlbum(const std::function<void(QWidget*)>& script) {
        bool ran = false;
        driver.when(isView("CVazedazDlg"), [&](QWidget* mainView) {
            const QString folder = QString::fromStdString(source.str());
            driver.when([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr && w->isVisible(); },
                        [folder](QWidget* w) {
                            auto* dialog = qobject_cast<QFileDialog*>(w);
                            dialog->setDirectory(folder);
                            static_cast<QDialog*>(dialog)->accept();
                        });
            controlOf<QPushButton>(mainView, mainwin::kSelectSourceButton)->click();
            const auto built = [](QWidget* w) { return isView("CViewPhoto")(w) && filmCounts(w, 3); };
            driver.when(built, [&](QWidget* editView) {
                ran = true;
                script(editView);
                if (editView->isVisible()) {
                    controlOf<QPushButton>(editView, W::kDiscard)->click();
                }
            });
            actionOf(mainView, mainwin::kMenuStartPositive)->trigger();
            driver.when(isMessageBox("Close Dezoredu?"), [](QWidget* box) { pressMessageButton(box, "Yes"); });
            controlOf<QPushButton>(mainView, mainwin::kCloseWindow)->click();
            if (!window.hasEnded()) {
                ADD_FAILURE() << "the main window did not end";
                window.endDialog(kResultCancel);
                static_cast<QDialog*>(mainView)->done(kResultCancel);
            }
        });
        host.runModal(window);
        EXPECT_TRUE(ran) << "the Edit Album window never came up";
    }

    // Opens the filter from the Edit Album menu.
    QWidget* openFilter(QWidget* editView) {
        QAction* item = actionOf(editView, W::kMenuAdvancedFilter);
        EXPECT_TRUE(item->isEnabled());
        item->trigger();
        return filterViewOf(editView);
    }

    TempDir startFolder;
    TempDir source;
    ModalDriver driver;
    gui::QtHost host;
    FileSystem fileSystem;
    AppState state{fileSystem};
    CVazedazDlg window{host, state};

private:
    std::string previousFolder_;
};

TEST_F(AdvancedFilterViewTest, ChoicesBoxesIndicatorsAndResetDriveTheFilm) {
    runEditAlbum([&](QWidget* editView) {
        QWidget* filter = openFilter(editView);
        ASSERT_NE(filter, nullptr) << "no Advanced Filter window";
        EXPECT_EQ(filter->windowTitle(), "Advanced Filter");
        EXPECT_FALSE(filter->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), editView);

        auto* enable = controlOf<QCheckBox>(filter, F::kEnable);
        ASSERT_NE(enable, nullptr);
        EXPECT_EQ(enable->text().remove(QLatin1Char('&')), "Enable Advanced Filtering");
        EXPECT_FALSE(enable->isChecked());
        EXPECT_TRUE(controlOf<QCheckBox>(filter, F::kLiveUpdate)->isChecked());
        EXPECT_EQ(controlOf<QPushButton>(filter, F::kResetFilters)->text().remove(QLatin1Char('&')), "Reset filters");
        EXPECT_EQ(controlOf<QToolButton>(filter, kIsoReset)->text(), "");
        auto* isoBox = controlOf<QCheckBox>(filter, kIsoBox);
        auto* isoMax = controlOf<QComboBox>(filter, kIsoMax);
        EXPECT_FALSE(isoBox->isChecked());
        EXPECT_FALSE(isoMax->isEnabled());
        EXPECT_EQ(itemsOf(controlOf<QComboBox>(filter, kCamera)), (QStringList{"All", "FUJIFILM", "Canon", "NIKON"}));
        EXPECT_FALSE(controlOf<QComboBox>(filter, kModel)->isEnabled());
        const QImage off = lampOf(filter, kIsoLamp);
        EXPECT_EQ(off.size(), QSize(kIndicatorSize, kIndicatorSize));

        enable->click();
        EXPECT_TRUE(isoBox->isChecked());
        EXPECT_TRUE(isoMax->isEnabled());
        EXPECT_EQ(itemsOf(isoMax), (QStringList{"100", "64"}));
        EXPECT_EQ(isoMax->currentText(), "100");
        EXPECT_EQ(controlOf<QComboBox>(filter, kIsoMin)->currentText(), "64");
        const QImage active = lampOf(filter, kIsoLamp);
        EXPECT_NE(active, off);

        pick(isoMax, "64");
        EXPECT_TRUE(filmCounts(editView, 1));
        EXPECT_EQ(itemsOf(controlOf<QComboBox>(filter, kIsoMin)), QStringList{"64"});
        EXPECT_NE(lampOf(filter, kIsoLamp), active);
        // Live Update narrows the camera list to the one picture left.
        EXPECT_EQ(itemsOf(controlOf<QComboBox>(filter, kCamera)), (QStringList{"All", "NIKON"}));

        controlOf<QToolButton>(filter, kIsoReset)->click();
        EXPECT_TRUE(filmCounts(editView, 3));
        EXPECT_EQ(isoMax->currentText(), "100");
        EXPECT_EQ(lampOf(filter, kIsoLamp), active);

        pick(controlOf<QComboBox>(filter, kCamera), "Canon");
        EXPECT_TRUE(filmCounts(editView, 1));
        EXPECT_TRUE(controlOf<QComboBox>(filter, kModel)->isEnabled());
        EXPECT_EQ(controlOf<QComboBox>(filter, kModel)->currentText(), "Canon EOS 40D");

        const QPointer<QWidget> watched(filter);
        controlOf<QPushButton>(filter, F::kClose)->click();
        EXPECT_TRUE(!watched || !watched->isVisible());
        EXPECT_EQ(filterViewOf(editView), nullptr);
        EXPECT_TRUE(editView->isVisible());
        ASSERT_FALSE(state.albums.empty());
        EXPECT_EQ(state.albums.back().filter.camera, "Canon");
        EXPECT_EQ(state.albums.back().filter.useFlag(Criterion::Iso), 1);
    });
}

TEST_F(AdvancedFilterViewTest, SaveTakesTheOpenFilterWithItAndStoresItsBoxes) {
    runEditAlbum([&](QWidget* editView) {
        QWidget* filter = openFilter(editView);
        ASSERT_NE(filter, nullptr);
        controlOf<QCheckBox>(filter, F::kEnable)->click();
        controlOf<QCheckBox>(filter, F::kLiveUpdate)->click();
        const QPointer<QWidget> watched(filter);
        controlOf<QPushButton>(editView, W::kSave)->click();
        EXPECT_FALSE(editView->isVisible());
        EXPECT_TRUE(!watched || !watched->isVisible());
    });
    ASSERT_EQ(state.albums.size(), 1u);
    const FilterCriteria& stored = state.albums.front().filter;
    EXPECT_EQ(stored.enabled, 1);
    EXPECT_EQ(stored.liveUpdate, 0);
    EXPECT_EQ(stored.useFlag(Criterion::Iso), 1);
    EXPECT_EQ(stored.useFlag(Criterion::Whitebalance), 0);
}

}  // namespace
}  // namespace dz::test
