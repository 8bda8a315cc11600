#include "EnvScope.h"
#include "ModalDriver.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "app/MainWindowIds.h"
#include "app/ProgramVersion.h"
#include "gui/HelpViewer.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace dz::test {
namespace {

using namespace mainwin;

QString labelText(QWidget* view, int id) {
    auto* label = controlOf<QLabel>(view, id);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(id);
}

bool actionEnabled(QWidget* view, int id) {
    QAction* action = actionOf(view, id);
    EXPECT_NE(action, nullptr) << "menu item " << id;
    return action && action->isEnabled();
}

void pressKey(QWidget* widget, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
    }
}

// The main window on the Qt host, started in a fresh start-up folder.
class MainWindowViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The choices of the window as the first program made them.
        state.unsavedPictureFiles = PictureFiles::JpegOnly;
        char buffer[4096];
        ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
        previousFolder_ = buffer;
        ASSERT_EQ(::chdir(startFolder.str().c_str()), 0);
    }
    void TearDown() override {
        host.applySkin(false);
        ASSERT_EQ(::chdir(previousFolder_.c_str()), 0);
    }

    // Runs the main window modally; `script` runs inside it, then the window
    // is closed the way the user closes it.
    int run(std::function<void(QWidget*)> script) {
        bool ran = false;
        driver.when(isView("CVazedazDlg"), [&](QWidget* view) {
            ran = true;
            script(view);
            if (!window.hasEnded()) {
                closeAnswering(view, "Yes");
            }
            if (!window.hasEnded()) {
                // Never leave the test hanging in a window nobody closes.
                ADD_FAILURE() << "the main window did not end on Yes";
                window.endDialog(kResultCancel);
                static_cast<QDialog*>(view)->done(kResultCancel);
            }
        });
        const int result = host.runModal(window);
        EXPECT_TRUE(ran) << "the main window's view never came up";
        return result;
    }

    // Presses "Close Window" and answers the question.
    void closeAnswering(QWidget* view, const QString& answer) {
        bool asked = false;
        driver.when(isMessageBox("Close Dezoredu?"), [&](QWidget* box) {
            asked = true;
            auto* messageBox = qobject_cast<QMessageBox*>(box);
            EXPECT_EQ(messageBox->windowTitle(), "Dezoredu");
            EXPECT_EQ(messageBox->icon(), QMessageBox::Question);
            EXPECT_EQ(messageBox->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            pressMessageButton(box, answer);
        });
        controlOf<QPushButton>(view, kCloseWindow)->click();
        EXPECT_TRUE(asked);
    }

    TempDir startFolder;
    EnvScope configHome{"XDG_CONFIG_HOME", (startFolder.path() / "config").c_str()};
    TempDir source;
    ModalDriver driver;
    gui::QtHost host{{DZ_HELP_FOLDER}};
    FileSystem fileSystem;
    AppState state{fileSystem};
    CVazedazDlg window{host, state};

private:
    std::string previousFolder_;
};

TEST_F(MainWindowViewTest, ShowsTheStartStateOfTheLogic) {
    run([&](QWidget* view) {
        EXPECT_EQ(view->windowTitle(), QString("Dezoredu - Professional v") + dz::kProgramVersion);
        EXPECT_EQ(labelText(view, kSourceFolder), "Not Selected. Please select one first.");
        EXPECT_EQ(labelText(view, kTargetFolder), "Not Selected. Please select one first.");
        EXPECT_EQ(labelText(view, kStatus), "Wait for input...");
        EXPECT_EQ(labelText(view, kAlbumSummary), "No albums created");
        EXPECT_EQ(controlOf<QGroupBox>(view, kGroupStep1)->title(), "Step 1: Set Directories");
        EXPECT_EQ(controlOf<QPushButton>(view, kSelectSourceButton)->toolTip(), "Select source folder.");
        EXPECT_EQ(controlOf<QPushButton>(view, kSelectTargetButton)->toolTip(), "Select target folder.");
        EXPECT_FALSE(controlOf<QPushButton>(view, kDeleteAlbum)->isEnabled());
        EXPECT_TRUE(controlOf<QPushButton>(view, kCloseWindow)->isDefault());

        EXPECT_FALSE(actionEnabled(view, kMenuSaveSession));
        EXPECT_FALSE(actionEnabled(view, kMenuStartPositive));
        EXPECT_FALSE(actionEnabled(view, kMenuStartNegative));
        EXPECT_FALSE(actionEnabled(view, kMenuSearchDuplicates));
        EXPECT_TRUE(actionEnabled(view, kMenuLoadSession));
        EXPECT_TRUE(actionEnabled(view, kMenuTimeFormat));
        EXPECT_EQ(actionOf(view, kMenuStartNegative)->text().remove(QLatin1Char('&')), "Start from negative");
    });
}

TEST_F(MainWindowViewTest, ClosesOnlyWhenTheUserAnswersYes) {
    bool stayedOpen = false;
    int asked = 0;
    const int result = run([&](QWidget* view) {
        closeAnswering(view, "No");
        stayedOpen = !window.hasEnded() && view->isVisible();
        // The close box and Esc ask the same question.
        for (int way = 0; way < 2; ++way) {
            driver.when(isMessageBox("Close Dezoredu?"), [&](QWidget* box) {
                ++asked;
                pressMessageButton(box, "No");
            });
            if (way == 0) {
                view->close();
            } else {
                pressKey(view, Qt::Key_Escape);
            }
            stayedOpen = stayedOpen && !window.hasEnded() && view->isVisible();
        }
        closeAnswering(view, "Yes");
    });
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(window.hasEnded());
    EXPECT_EQ(result, kResultCancel);
}

TEST_F(MainWindowViewTest, RedrawsWhenTheLogicRefreshesAndPassesSelectionsBack) {
    run([&](QWidget* view) {
        state.texts.status = "Status set by the logic";
        window.showTexts();
        EXPECT_EQ(labelText(view, kStatus), "Status set by the logic");

        window.control(kAlbumsList).items = {"Album 1", "Album 2", "Album 3"};
        window.control(kAlbumsList).selection = 2;
        window.control(kDeleteAlbum).enabled = true;
        window.refresh();
        auto* albums = controlOf<QListWidget>(view, kAlbumsList);
        ASSERT_EQ(albums->count(), 3);
        EXPECT_EQ(albums->item(1)->text(), "Album 2");
        EXPECT_EQ(albums->currentRow(), 2);
        EXPECT_TRUE(controlOf<QPushButton>(view, kDeleteAlbum)->isEnabled());

        albums->setCurrentRow(0);
        EXPECT_EQ(window.control(kAlbumsList).selection, 0);
    });
}

TEST_F(MainWindowViewTest, SelectingASourceScansItAndEnablesTheAlbumCommands) {
    source.write("a.jpg", tinyExifJpeg("2006:05:14 10:00:00"));
    source.write("day2/b.jpg", tinyExifJpeg("2006:05:15 11:30:00"));
    source.write("plain.jpg", tinyPlainJpeg());
    const QString folder = QString::fromStdString(source.str());
    run([&](QWidget* view) {
        bool browsed = false;
        driver.when([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr && w->isVisible(); },
                  [&](QWidget* w) {
                      browsed = true;
                      auto* dialog = qobject_cast<QFileDialog*>(w);
                      EXPECT_EQ(dialog->windowTitle(), "Select folder that hold pictures to process.");
                      dialog->setDirectory(folder);
                      static_cast<QDialog*>(dialog)->accept();
                  });
        controlOf<QPushButton>(view, kSelectSourceButton)->click();
        ASSERT_TRUE(browsed);
        EXPECT_EQ(labelText(view, kSourceFolder), folder);
        EXPECT_EQ(labelText(view, kStatus), "Found 2 .JPG pictures that have exif information.");
        EXPECT_TRUE(actionEnabled(view, kMenuStartPositive));
        EXPECT_TRUE(actionEnabled(view, kMenuStartNegative));
        EXPECT_TRUE(actionEnabled(view, kMenuSearchDuplicates));
        EXPECT_FALSE(actionEnabled(view, kMenuSaveSession));
    });
}

TEST_F(MainWindowViewTest, TimeFormatMenuOpensTheFormatWindowAndSaveKeepsTheChoice) {
    run([&](QWidget* view) {
        bool shown = false;
        driver.when(isView("CTimeFormat"), [&](QWidget* dialog) {
            shown = true;
            EXPECT_EQ(dialog->windowTitle(), "Date and Time format");
            EXPECT_EQ(controlOf<QGroupBox>(dialog, 2101)->title(), "Date");
            EXPECT_EQ(labelText(dialog, 2104), "Current time format:");
            auto* dates = controlOf<QComboBox>(dialog, 1101);
            auto* times = controlOf<QComboBox>(dialog, 1102);
            ASSERT_EQ(dates->count(), 10);
            ASSERT_EQ(times->count(), 2);
            EXPECT_EQ(dates->currentIndex(), 0);
            EXPECT_EQ(times->currentIndex(), 0);
            pressKey(dates, Qt::Key_Down, 3);
            pressKey(times, Qt::Key_Down);
            controlOf<QPushButton>(dialog, 1)->click();
        });
        actionOf(view, kMenuTimeFormat)->trigger();
        EXPECT_TRUE(shown);
        EXPECT_EQ(state.settings.dateFormatIndex, 4);
        EXPECT_EQ(state.settings.timeFormatIndex, 2);
        EXPECT_EQ(std::filesystem::file_size(startFolder.path() / "config/dezoredu/fl.cfg"), 20u);
    });
}

TEST_F(MainWindowViewTest, SkinOptionTurnsTheProgramsLookOff) {
    run([&](QWidget* view) {
        // The settings start with the skin on, and the start-up applied it.
        EXPECT_TRUE(qApp->styleSheet().contains("QGroupBox"));
        driver.when(isView("CSkinOption"), [&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Skin Options");
            auto* box = controlOf<QCheckBox>(dialog, 1176);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text().remove(QLatin1Char('&')), "Enable Skin");
            EXPECT_TRUE(box->isChecked());
            box->click();
            controlOf<QPushButton>(dialog, 1)->click();
        });
        actionOf(view, kMenuSkin)->trigger();
        EXPECT_EQ(state.settings.skinEnabled, 0);
        EXPECT_TRUE(qApp->styleSheet().isEmpty());
    });
}

TEST_F(MainWindowViewTest, PictureFilesOptionChoosesAllFormats) {
    run([&](QWidget* view) {
        driver.when(isView("CPictureFilesOption"), [&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Picture files");
            auto* jpegOnly = controlOf<QRadioButton>(dialog, 1201);
            auto* all = controlOf<QRadioButton>(dialog, 1202);
            ASSERT_NE(jpegOnly, nullptr);
            ASSERT_NE(all, nullptr);
            EXPECT_EQ(all->text().remove(QLatin1Char('&')), "All photos and videos");
            EXPECT_TRUE(jpegOnly->isChecked());
            all->click();
            EXPECT_FALSE(jpegOnly->isChecked());
            controlOf<QPushButton>(dialog, 1)->click();
        });
        actionOf(view, kMenuPictureFiles)->trigger();
        EXPECT_EQ(state.pictureFiles, PictureFiles::AllFormats);
        EXPECT_TRUE(std::filesystem::exists(startFolder.path() / "config/dezoredu/formats.cfg"));
    });
}

TEST_F(MainWindowViewTest, HelpMenuShowsTheTopicsOfTheShippedHelpFile) {
    run([&](QWidget* view) {
        actionOf(view, kMenuWhatsNew)->trigger();
        gui::HelpViewer* viewer = host.helpViewer();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        // It belongs to the modal window that asked, so that window's loop lets it take input.
        EXPECT_EQ(viewer->parentWidget(), view);
        EXPECT_EQ(viewer->browser()->source().fileName(), "DEZOREDU.HLP");
        EXPECT_GT(viewer->browser()->verticalScrollBar()->value(), 0);

        actionOf(view, kMenuHelpContents)->trigger();
        EXPECT_EQ(viewer->browser()->verticalScrollBar()->value(), 0);

        // F1 opens the main window's own topic.
        QShortcut* f1 = nullptr;
        for (QShortcut* shortcut : view->findChildren<QShortcut*>()) {
            if (shortcut->key() == QKeySequence(Qt::Key_F1)) {
                f1 = shortcut;
            }
        }
        ASSERT_NE(f1, nullptr);
        emit f1->activated();
        EXPECT_GT(viewer->browser()->verticalScrollBar()->value(), 0);

        // Open help moves up to a modal window that opens above, and comes back down after it.
        bool moved = false;
        driver.when(isView("CAboutDlg"), [&](QWidget* dialog) {
            moved = viewer->parentWidget() == dialog && viewer->isVisible();
            controlOf<QPushButton>(dialog, 1)->click();
        });
        actionOf(view, kMenuAbout)->trigger();
        EXPECT_TRUE(moved);
        EXPECT_EQ(viewer->parentWidget(), view);
        EXPECT_TRUE(viewer->isVisible());

        // Closing the window closes its help.
        closeAnswering(view, "No");
        EXPECT_FALSE(viewer->isVisible());
    });
}

TEST_F(MainWindowViewTest, AboutBoxShowsVersionAndBuild) {
    run([&](QWidget* view) {
        bool shown = false;
        driver.when(isView("CAboutDlg"), [&](QWidget* dialog) {
            shown = true;
            EXPECT_EQ(dialog->windowTitle(), "About Dezoredu");
            EXPECT_EQ(labelText(dialog, 2201), QString("Dezoredu Version ") + dz::kProgramVersion);
            EXPECT_EQ(labelText(dialog, 2202), "Build: 040407");
            controlOf<QPushButton>(dialog, 1)->click();
        });
        actionOf(view, kMenuAbout)->trigger();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(view->isVisible());
    });
}

// The letters of one menu or one row of buttons: one "&" each, never the same letter twice.
void expectOwnLetters(const QStringList& captions, const std::string& where) {
    QSet<QChar> letters;
    for (const QString& caption : captions) {
        const int at = static_cast<int>(caption.indexOf(QLatin1Char('&')));
        ASSERT_GE(at, 0) << where << ": no Alt+letter key in " << caption.toStdString();
        ASSERT_LT(at + 1, caption.size()) << where;
        EXPECT_FALSE(letters.contains(caption[at + 1].toLower())) << where << ": " << caption.toStdString();
        letters.insert(caption[at + 1].toLower());
    }
}

QStringList captionsOf(QMenu* menu) {
    QStringList captions;
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator()) {
            captions << item->text();
        }
    }
    return captions;
}

TEST_F(MainWindowViewTest, MenusAndButtonsHaveKeysAndTheStandardShortcutsWork) {
    run([&](QWidget* view) {
        auto* bar = view->findChild<QMenuBar*>(QStringLiteral("MenuBar"));
        ASSERT_NE(bar, nullptr);
        QStringList windowKeys;
        for (QAction* title : bar->actions()) {
            windowKeys << title->text();
            expectOwnLetters(captionsOf(title->menu()), title->text().toStdString());
            for (QAction* item : title->menu()->actions()) {
                if (item->menu()) {
                    expectOwnLetters(captionsOf(item->menu()), item->text().toStdString());
                }
            }
        }
        for (int id : {kCloseWindow, kDeleteAlbum, kProcess}) {
            windowKeys << controlOf<QPushButton>(view, id)->text();
        }
        // The folder buttons show pictures; their labels carry their keys.
        for (int id : {kLabelSource, kLabelTarget}) {
            windowKeys << labelText(view, id);
        }
        // Menu titles and buttons answer Alt+letter in the same window.
        expectOwnLetters(windowKeys, "main window");
        EXPECT_EQ(actionOf(view, kMenuSelectSource)->text().remove(QLatin1Char('&')), "Select source");

        EXPECT_EQ(actionOf(view, kMenuSelectSource)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        EXPECT_EQ(actionOf(view, kMenuSaveSession)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        int closeAsked = 0;
        driver.when(isMessageBox("Close Dezoredu?"), [&](QWidget* box) {
            ++closeAsked;
            pressMessageButton(box, "No");
        });
        QTest::keyClick(view, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_EQ(closeAsked, 1) << "Ctrl+Q";

        // Delete and Enter in the album list.
        state.albums.push_back(Album{});
        window.refreshAlbumList();
        window.control(kAlbumsList).selection = 0;
        window.showAlbumDetails();
        auto* albums = controlOf<QListWidget>(view, kAlbumsList);
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        albums->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), albums);
        bool deleteAsked = false;
        driver.when(isMessageBox("Delete selected album?"), [&](QWidget* box) {
            deleteAsked = true;
            pressMessageButton(box, "Cancel");
        });
        QTest::keyClick(albums, Qt::Key_Delete);
        EXPECT_TRUE(deleteAsked);
        // No source here, so editing says so: Enter edits the selected album.
        bool editAsked = false;
        driver.when(isMessageBox("Source folder does not contain any pictures supported by Dezoredu"),
                    [&](QWidget* box) {
                        editAsked = true;
                        pressMessageButton(box, "OK");
                    });
        QTest::keyClick(albums, Qt::Key_Return);
        EXPECT_TRUE(editAsked) << "Enter in the album list";
        EXPECT_TRUE(view->isVisible()) << "Enter went to the default button";
        state.albums.clear();
        window.refreshAlbumList();
    });
}

// Drags `path` from a file manager onto `widget` and drops it; false when the
// widget refused the drag.
bool dropOn(QWidget* widget, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPointF at(widget->rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    return drop.isAccepted();
}

TEST_F(MainWindowViewTest, DroppedFoldersBecomeTheSourceAndTheTarget) {
    source.write("a.jpg", tinyExifJpeg("2006:05:14 10:00:00"));
    TempDir target;
    TempDir other;
    const QString folder = QString::fromStdString(source.str());
    run([&](QWidget* view) {
        EXPECT_FALSE(dropOn(controlOf<QLabel>(view, kSourceFolder), folder + "/a.jpg")) << "a file is no folder";
        ASSERT_TRUE(dropOn(controlOf<QLabel>(view, kSourceFolder), folder));
        EXPECT_TRUE(waitUntil([&] { return labelText(view, kStatus).startsWith("Found 1 .JPG"); }))
            << labelText(view, kStatus).toStdString();
        EXPECT_EQ(labelText(view, kSourceFolder), folder);

        // The target's refusal of the source folder, in a box wide enough for its title.
        bool refused = false;
        driver.when(isMessageBox("Target directory is the same as source directory!"), [&](QWidget* box) {
            refused = true;
            QFont bold = box->font();
            bold.setBold(true);
            EXPECT_GT(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()));
            pressMessageButton(box, "OK");
        });
        ASSERT_TRUE(dropOn(controlOf<QPushButton>(view, kSelectTargetButton), folder));
        EXPECT_TRUE(waitUntil([&] { return refused; }));
        ASSERT_TRUE(dropOn(controlOf<QPushButton>(view, kSelectTargetButton), QString::fromStdString(target.str())));
        EXPECT_TRUE(waitUntil([&] { return labelText(view, kTargetFolder) == QString::fromStdString(target.str()); }));

        // With albums, the same question as before the folder dialog.
        state.albums.push_back(Album{});
        bool warned = false;
        driver.when(isMessageBox("Albums will be lost!"), [&](QWidget* box) {
            warned = true;
            pressMessageButton(box, "Cancel");
        });
        ASSERT_TRUE(dropOn(controlOf<QPushButton>(view, kSelectSourceButton), QString::fromStdString(other.str())));
        EXPECT_TRUE(waitUntil([&] { return warned; }));
        EXPECT_EQ(labelText(view, kSourceFolder), folder);
        EXPECT_EQ(state.albums.size(), 1u);
        state.albums.clear();
    });
}

TEST_F(MainWindowViewTest, FitsASmallScreen) {
    run([&](QWidget* view) {
        // 1920 x 1080 at 1.5 is 1280 x 720; a title bar and a panel take some 60 of it.
        EXPECT_LE(view->width(), 1280);
        EXPECT_LE(view->height(), 660);
        EXPECT_LE(view->minimumSizeHint().height(), 660);
    });
}

TEST(HelpFileTest, HasAnAnchorForEveryTopicTheWindowsAskFor) {
    std::ifstream in(std::string(DZ_HELP_FOLDER) + "/DEZOREDU.HLP");
    ASSERT_TRUE(in);
    const std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (int topic : {1, 3, 6, 7, 8, 9, 13, 14, 15, 16, 19, 22, 23}) {
        EXPECT_NE(page.find("<a name=\"topic-" + std::to_string(topic) + "\"></a>"), std::string::npos)
            << "topic " << topic;
    }
}

}  // namespace
}  // namespace dz::test
