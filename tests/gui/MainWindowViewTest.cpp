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
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
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
        EXPECT_EQ(actionOf(view, kMenuStartNegative)->text(), "Start from negative");
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
            EXPECT_EQ(box->text(), "Enable Skin");
            EXPECT_TRUE(box->isChecked());
            box->click();
            controlOf<QPushButton>(dialog, 1)->click();
        });
        actionOf(view, kMenuSkin)->trigger();
        EXPECT_EQ(state.settings.skinEnabled, 0);
        EXPECT_TRUE(qApp->styleSheet().isEmpty());
    });
}

TEST_F(MainWindowViewTest, HelpMenuShowsTheTopicsOfTheShippedHelpFile) {
    run([&](QWidget* view) {
        actionOf(view, kMenuWhatsNew)->trigger();
        gui::HelpViewer* viewer = host.helpViewer();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
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
