#include "ModalDriver.h"
#include "TempDir.h"

#include "albums/CViewLarge.h"
#include "albums/CViewOptions.h"
#include "albums/CViewPhoto.h"
#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "app/MainWindowIds.h"
#include "gui/QtHost.h"
#include "gui/ThumbnailListModel.h"
#include "gui/ThumbnailListView.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <unistd.h>

#include <functional>
#include <string>

namespace dz::test {
namespace {

using W = CViewPhoto;

QString labelText(QWidget* view, int id) {
    auto* label = controlOf<QLabel>(view, id);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(id);
}

gui::ThumbnailListView* filmOf(QWidget* view) {
    return controlOf<gui::ThumbnailListView>(view, W::kFilm);
}

QString itemLabel(gui::ThumbnailListView* film, int row) {
    return film->model()->data(film->model()->index(row, 0), Qt::DisplayRole).toString();
}

QSize itemPictureSize(gui::ThumbnailListView* film, int row) {
    return film->model()->data(film->model()->index(row, 0), Qt::DecorationRole).value<QPixmap>().size();
}

// Every item of the film is there with its 160 x 120 picture.
bool filmShows(gui::ThumbnailListView* film, int count) {
    if (!film || film->model()->rowCount() != count) {
        return false;
    }
    for (int row = 0; row < count; ++row) {
        if (itemPictureSize(film, row) != QSize(160, 120)) {
            return false;
        }
    }
    return true;
}

QWidget* largeViewOf(QWidget* editView) {
    for (QWidget* w : editView->findChildren<QWidget*>(QStringLiteral("CViewLarge"))) {
        if (w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

void pressKey(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// Enter in a label editor; the item view takes the text and closes the
// editor on its next turn of the event loop.
bool commitLabel(QLineEdit* editor) {
    const QPointer<QLineEdit> watched(editor);
    pressKey(editor, Qt::Key_Return);
    return waitUntil([&] { return !watched || !watched->isVisible(); });
}

// The main window on the Qt host over a source folder of three real
// pictures; the Edit Album window is opened from its menu.
class EditAlbumViewTest : public ::testing::Test {
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
    void TearDown() override {
        host.applySkin(false);
        ASSERT_EQ(::chdir(previousFolder_.c_str()), 0);
    }

    // Runs the main window with the source selected; `script` runs inside it,
    // then the window is closed with Yes.
    void runMain(const std::function<void(QWidget*)>& script) {
        bool ran = false;
        driver.when(isView("CVazedazDlg"), [&](QWidget* view) {
            ran = true;
            selectSource(view);
            script(view);
            driver.when(isMessageBox("Close Dezoredu?"), [](QWidget* box) { pressMessageButton(box, "Yes"); });
            controlOf<QPushButton>(view, mainwin::kCloseWindow)->click();
            if (!window.hasEnded()) {
                ADD_FAILURE() << "the main window did not end";
                window.endDialog(kResultCancel);
                static_cast<QDialog*>(view)->done(kResultCancel);
            }
        });
        host.runModal(window);
        EXPECT_TRUE(ran);
    }

    void selectSource(QWidget* view) {
        const QString folder = QString::fromStdString(source.str());
        driver.when([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr && w->isVisible(); },
                    [folder](QWidget* w) {
                        auto* dialog = qobject_cast<QFileDialog*>(w);
                        dialog->setDirectory(folder);
                        static_cast<QDialog*>(dialog)->accept();
                    });
        controlOf<QPushButton>(view, mainwin::kSelectSourceButton)->click();
        EXPECT_EQ(labelText(view, mainwin::kStatus), "Found 3 .JPG pictures that have exif information.");
    }

    // "Start from positive" with `script` run in the Edit Album view once its
    // film shows three 160 x 120 pictures; a window the script leaves open is
    // discarded.
    void editNewAlbum(QWidget* mainView, const std::function<void(QWidget*)>& script) {
        bool shown = false;
        // Waiting is part of the match, not of the action: the film build pumps
        // messages, and an action that waited inside that pump would wait on itself.
        const auto built = [](QWidget* w) { return isView("CViewPhoto")(w) && filmShows(filmOf(w), 3); };
        driver.when(built, [&](QWidget* editView) {
            shown = true;
            EXPECT_EQ(editView->windowTitle(), "Edit Album");
            script(editView);
            if (editView->isVisible()) {
                controlOf<QPushButton>(editView, W::kDiscard)->click();
            }
        });
        actionOf(mainView, mainwin::kMenuStartPositive)->trigger();
        EXPECT_TRUE(shown) << "the Edit Album window never came up";
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

TEST_F(EditAlbumViewTest, RangeFromTheFilmIsSavedAsTheFirstAlbum) {
    runMain([&](QWidget* mainView) {
        editNewAlbum(mainView, [&](QWidget* editView) {
            gui::ThumbnailListView* film = filmOf(editView);
            // 1920 x 1080 at 1.5 is 1280 x 720, less some 60 for a title bar and a panel.
            EXPECT_LE(editView->width(), 1280);
            EXPECT_LE(editView->height(), 660);
            EXPECT_LE(editView->minimumSizeHint().height(), 600);
            EXPECT_EQ(film->viewMode(), QListView::IconMode);
            EXPECT_EQ(film->flow(), QListView::LeftToRight);
            EXPECT_TRUE(film->isWrapping());
            EXPECT_TRUE(itemLabel(film, 0).startsWith("1."));
            EXPECT_TRUE(itemLabel(film, 2).startsWith("3."));
            EXPECT_EQ(controlOf<QPlainTextEdit>(editView, W::kPath)->toPlainText(), "Picture not selected");
            EXPECT_TRUE(labelText(editView, W::kTopLine).startsWith("1 Album containing:"));

            film->setCurrentIndex(film->model()->index(0, 0));
            const QString firstPath = controlOf<QPlainTextEdit>(editView, W::kPath)->toPlainText();
            EXPECT_TRUE(firstPath.startsWith(QString::fromStdString(source.str()))) << firstPath.toStdString();
            EXPECT_GT(controlOf<QListWidget>(editView, W::kPictureInfo)->count(), 0);

            controlOf<QPushButton>(editView, W::kSetStart)->click();
            EXPECT_NE(labelText(editView, W::kStartText), "Not Set");
            EXPECT_TRUE(controlOf<QPushButton>(editView, W::kClearStart)->isEnabled());
            ASSERT_TRUE(filmShows(film, 3)) << "the rebuilt film lost pictures";

            film->setCurrentIndex(film->model()->index(2, 0));
            EXPECT_NE(controlOf<QPlainTextEdit>(editView, W::kPath)->toPlainText(), firstPath);
            controlOf<QPushButton>(editView, W::kSetEnd)->click();
            EXPECT_NE(labelText(editView, W::kEndText), "Not Set");
            EXPECT_TRUE(controlOf<QPushButton>(editView, W::kClearEnd)->isEnabled());
            EXPECT_EQ(labelText(editView, W::kStatus), "New Album: 3 pictures in album.");

            controlOf<QPushButton>(editView, W::kSave)->click();
            EXPECT_FALSE(editView->isVisible());
        });
        auto* albums = controlOf<QListWidget>(mainView, mainwin::kAlbumsList);
        ASSERT_EQ(albums->count(), 1);
        EXPECT_EQ(albums->item(0)->text(), "1. Album 1");
        // The album just saved is selected and its details show.
        EXPECT_EQ(albums->currentRow(), 0);
        EXPECT_GT(controlOf<QListWidget>(mainView, mainwin::kAlbumDetails)->count(), 0);
        const QString summary = labelText(mainView, mainwin::kAlbumSummary);
        EXPECT_TRUE(summary.startsWith("1 album created. Pictures in albums 3 of 3. All pictures are in albums. Size "))
            << summary.toStdString();
    });
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(state.albums.front().pictureCount, 3);
}

TEST_F(EditAlbumViewTest, RightClickOpensTheLargeViewAndCloseClosesIt) {
    runMain([&](QWidget* mainView) {
        editNewAlbum(mainView, [&](QWidget* editView) {
            gui::ThumbnailListView* film = filmOf(editView);
            const QRect item = film->visualRect(film->model()->index(1, 0));
            ASSERT_TRUE(item.isValid());
            QContextMenuEvent click(QContextMenuEvent::Mouse, item.center(),
                                    film->viewport()->mapToGlobal(item.center()));
            QApplication::sendEvent(film->viewport(), &click);

            QWidget* large = largeViewOf(editView);
            ASSERT_NE(large, nullptr) << "no View Large Image window";
            EXPECT_EQ(large->windowTitle(), "View Large Image");
            EXPECT_FALSE(large->isModal());
            EXPECT_EQ(QApplication::activeModalWidget(), editView);
            EXPECT_EQ(film->selectedRow(), 1);
            const QString path = controlOf<QPlainTextEdit>(editView, W::kPath)->toPlainText();
            EXPECT_EQ(labelText(large, CViewLarge::kPath), path);
            auto* frame = controlOf<QLabel>(large, CViewLarge::kFrame);
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->pixmap().size(), QSize(640, 480));
            // It belongs to Edit Album (and so stays above it), and its picture follows its size.
            EXPECT_EQ(large->parentWidget(), editView);
            large->resize(400, 340);
            EXPECT_TRUE(waitUntil([&] { return frame->width() < 400 && frame->height() < 300; }))
                << frame->width() << " x " << frame->height();
            large->resize(1000, 700);
            EXPECT_TRUE(waitUntil([&] { return frame->width() > 640; }));

            // Selecting another picture shows it in the open viewer.
            film->setCurrentIndex(film->model()->index(2, 0));
            EXPECT_EQ(labelText(large, CViewLarge::kPath),
                      controlOf<QPlainTextEdit>(editView, W::kPath)->toPlainText());
            EXPECT_NE(labelText(large, CViewLarge::kPath), path);

            const QPointer<QWidget> watched(large);
            controlOf<QPushButton>(large, CViewLarge::kClose)->click();
            EXPECT_TRUE(!watched || !watched->isVisible());
            EXPECT_EQ(largeViewOf(editView), nullptr);
            EXPECT_TRUE(editView->isVisible());
        });
    });
}

TEST_F(EditAlbumViewTest, EditedLabelBecomesThePicturesNameAndAnUnchangedEditKeepsIt) {
    runMain([&](QWidget* mainView) {
        editNewAlbum(mainView, [&](QWidget* editView) {
            gui::ThumbnailListView* film = filmOf(editView);
            const QModelIndex first = film->model()->index(0, 0);
            const QString before = itemLabel(film, 0);
            const QString dateAndCamera = before.mid(before.indexOf('.', 2));

            film->setCurrentIndex(first);
            film->edit(first);
            auto* editor = film->findChild<QLineEdit*>(QStringLiteral("label-editor"));
            ASSERT_NE(editor, nullptr) << "the label editor did not open";
            EXPECT_EQ(editor->text(), film->model()->data(first, Qt::EditRole).toString().replace('\n', ' '));
            ASSERT_TRUE(commitLabel(editor));
            EXPECT_EQ(itemLabel(film, 0), before);

            film->edit(first);
            editor = nullptr;
            for (QLineEdit* open : film->findChildren<QLineEdit*>(QStringLiteral("label-editor"))) {
                editor = open->isVisible() ? open : editor;
            }
            ASSERT_NE(editor, nullptr) << "the label editor did not open again";
            editor->setText(QStringLiteral("Beach"));
            editor->setModified(true);
            ASSERT_TRUE(commitLabel(editor));
            EXPECT_EQ(itemLabel(film, 0), "1.Beach" + dateAndCamera);
            EXPECT_EQ(itemLabel(film, 1).left(2), "2.");

            // A name wider than the cells widens them: the labels on screen are never cut.
            const int narrow = film->gridSize().width();
            film->edit(first);
            for (QLineEdit* open : film->findChildren<QLineEdit*>(QStringLiteral("label-editor"))) {
                editor = open->isVisible() ? open : editor;
            }
            editor->setText(QString(30, 'W'));
            editor->setModified(true);
            ASSERT_TRUE(commitLabel(editor));
            QApplication::processEvents();
            const QString line = itemLabel(film, 0).section('\n', 0, 0);
            EXPECT_GT(film->gridSize().width(), narrow);
            EXPECT_LE(film->fontMetrics().horizontalAdvance(line), film->gridSize().width()) << line.toStdString();
        });
    });
}

// Every label line fits its cell, and a larger window shows more of the film.
TEST_F(EditAlbumViewTest, FilmFillsTheWindowAndItsLabelsFit) {
    runMain([&](QWidget* mainView) {
        editNewAlbum(mainView, [&](QWidget* editView) {
            gui::ThumbnailListView* film = filmOf(editView);
            const QStringList lines = itemLabel(film, 1).split('\n');
            ASSERT_EQ(lines.size(), 3) << itemLabel(film, 1).toStdString();
            EXPECT_TRUE(lines[0].startsWith("2.") && lines[0].endsWith("."));
            EXPECT_TRUE(lines[1].startsWith("[")) << "date and time on a line of their own";
            const QSize grid = film->gridSize();
            EXPECT_GE(grid.height(), 120 + 3 * film->fontMetrics().lineSpacing());
            for (int row = 0; row < 3; ++row) {
                for (const QString& line : itemLabel(film, row).split('\n')) {
                    EXPECT_LE(film->fontMetrics().horizontalAdvance(line), grid.width()) << line.toStdString();
                }
            }
            // Cells on screen, at a small and at a large window.
            auto cells = [&](QSize size) {
                editView->resize(size);
                QApplication::processEvents();
                const QSize view = film->viewport()->size();
                return (view.width() / grid.width()) * (view.height() / grid.height());
            };
            const int small = cells(QSize(900, 560));
            const int large = cells(QSize(1700, 1100));
            EXPECT_GE(small, 1);
            EXPECT_GE(large, 2 * small) << small << " cells at 900 x 560";
            // All three pictures on the first row of the large film, whole.
            for (int row = 0; row < 3; ++row) {
                const QRect cell = film->visualRect(film->model()->index(row, 0));
                EXPECT_TRUE(film->viewport()->rect().contains(cell)) << row;
                EXPECT_EQ(cell.top(), film->visualRect(film->model()->index(0, 0)).top());
            }
            const auto shown = film->shownRows();
            EXPECT_EQ(shown.first, 0);
            EXPECT_EQ(shown.second, 2);
        });
    });
}

// The film's first painted frame, taken from the paint event of its viewport.
class FirstFilmFrame final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* viewport = qobject_cast<QWidget*>(watched);
        auto* film = viewport ? qobject_cast<gui::ThumbnailListView*>(viewport->parentWidget()) : nullptr;
        if (!painted && event->type() == QEvent::Paint && film && film->viewport() == viewport &&
            film->model()->rowCount() > 0) {
            painted = true;
            firstCell = film->visualRect(film->model()->index(0, 0));
            captionLines = film->fontMetrics().lineSpacing() * 3;
        }
        return false;
    }
    bool painted = false;
    QRect firstCell;
    int captionLines = 0;
};

// On a real X server the window manager sizes the window after the film was
// first laid out, before its pictures are made: cells sized then were strips.
TEST_F(EditAlbumViewTest, FirstFrameOfTheFilmHasWholeCells) {
    FirstFilmFrame frame;
    qApp->installEventFilter(&frame);
    runMain([&](QWidget* mainView) { editNewAlbum(mainView, [](QWidget*) {}); });
    qApp->removeEventFilter(&frame);
    ASSERT_TRUE(frame.painted);
    EXPECT_GE(frame.firstCell.height(), 120 + frame.captionLines) << "platform " << qApp->platformName().toStdString();
    EXPECT_GE(frame.firstCell.width(), 160);
}

TEST_F(EditAlbumViewTest, AltSSetsTheStartAndLeavesSplitByDays) {
    runMain([&](QWidget* mainView) {
        editNewAlbum(mainView, [&](QWidget* editView) {
            auto* split = controlOf<QCheckBox>(editView, W::kSplitByDays);
            ASSERT_NE(split, nullptr);
            gui::ThumbnailListView* film = filmOf(editView);
            film->selectionModel()->setCurrentIndex(film->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
            const QString before = labelText(editView, W::kStartText);
            const bool splitBefore = split->isChecked();
            QTest::keyClick(editView, Qt::Key_S, Qt::AltModifier);
            // A key press clicks its button after a short animation.
            EXPECT_TRUE(waitUntil([&] { return labelText(editView, W::kStartText) != before; }));
            EXPECT_EQ(split->isChecked(), splitBefore);
        });
    });
}

TEST_F(EditAlbumViewTest, ViewOptionsTurnTheFilmAround) {
    runMain([&](QWidget* mainView) {
        editNewAlbum(mainView, [&](QWidget* editView) {
            gui::ThumbnailListView* film = filmOf(editView);
            const QString lastName = itemLabel(film, 2).mid(2);
            bool shown = false;
            driver.when(isView("CViewOptions"), [&](QWidget* dialog) {
                shown = true;
                EXPECT_EQ(dialog->windowTitle(), "Set view options");
                auto* order = controlOf<QComboBox>(dialog, CViewOptions::kOrder);
                ASSERT_EQ(order->count(), 2);
                EXPECT_EQ(order->currentText(), "Ascendent");
                EXPECT_TRUE(controlOf<QRadioButton>(dialog, CViewOptions::kByDate)->isChecked());
                EXPECT_FALSE(controlOf<QRadioButton>(dialog, CViewOptions::kByName)->isChecked());
                pressKey(order, Qt::Key_Down);
                EXPECT_EQ(order->currentText(), "Descendent");
                controlOf<QRadioButton>(dialog, CViewOptions::kByName)->click();
                controlOf<QRadioButton>(dialog, CViewOptions::kByDate)->click();
                EXPECT_TRUE(controlOf<QRadioButton>(dialog, CViewOptions::kByDate)->isChecked());
                EXPECT_FALSE(controlOf<QRadioButton>(dialog, CViewOptions::kByName)->isChecked());
                controlOf<QPushButton>(dialog, CViewOptions::kAccept)->click();
            });
            actionOf(editView, W::kMenuViewOptions)->trigger();
            ASSERT_TRUE(shown);
            ASSERT_TRUE(filmShows(film, 3));
            EXPECT_EQ(itemLabel(film, 0).mid(2), lastName);
            EXPECT_EQ(labelText(editView, W::kSortLine), "Sorted descendent by date. Show 3 pic.");
        });
    });
}

}  // namespace
}  // namespace dz::test
