#include "ModalDriver.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include "app/CPotion.h"
#include "app/Settings.h"
#include "gui/ProcessOptionView.h"
#include "gui/ProcessView.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"
#include "process/CProcess.h"
#include "process/CProcessPreview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace dz::test {
namespace {

QString labelText(QWidget* view, int id) {
    auto* label = controlOf<QLabel>(view, id);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(id);
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t filesIn(const std::filesystem::path& folder) {
    if (!std::filesystem::is_directory(folder)) {
        return 0;
    }
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    return count;
}

// What the window showed at one pumped turn of the run.
struct Sample {
    QString status;
    QString hint;
    int pictures = -1;
    int picturesMax = -1;
    bool cancelEnabled = false;
    bool closeEnabled = true;
};

// Real pictures in a source folder, one album "Trip" over them and an empty
// target folder, processed by the Albums Processing window on the Qt host.
// The album keeps the original names, so every picture's place in the target
// is known: target/Trip/<name>.jpg.
class ProcessViewTest : public ::testing::Test {
protected:
    void addPicture(const std::string& name, const std::string& bytes) {
        const std::filesystem::path file = source.write(name, bytes);
        PictureRecord picture;
        picture.path = file.string();
        picture.exifFound = true;
        picture.size = bytes.size();
        picture.albumId = kAlbumId;
        picture.block = std::make_shared<PictureBlock>();
        picture.block->exif.dateTime = "2006:05:14 10:00:00";
        picture.block->exif.cameraMake = "Canon";
        picture.block->exif.cameraModel = "Canon EOS 40D";
        picture.block->filmImageIndex = static_cast<int>(catalogue.size());
        catalogue.push_back(picture);
    }

    void addAlbum() {
        Album album;
        album.id = kAlbumId;
        album.name = "Trip";
        album.dirName = "\\";
        album.createSubDir = 1;
        album.keepOriginalName = 1;
        album.addDate = 0;
        album.addTime = 0;
        for (const PictureRecord& p : catalogue) {
            ++album.pictureCount;
            album.sizeMB += static_cast<float>(p.size) / 1048576.0f;
        }
        albums.push_back(album);
    }

    std::filesystem::path albumFolder() const { return target.path() / "Trip"; }

    // Runs the window modally with `script` inside its view; a window the
    // script leaves open is closed so the test cannot hang.
    int run(const std::function<void(QWidget*)>& script) {
        window = std::make_unique<CProcess>(host, fileSystem,
                                            ProcessJob{albums, catalogue, target.str(), false, NameFormats{}});
        return runScripted(host, *window, driver, script);
    }

    // Samples the view at every turn of the event loop until `stop`; the run
    // pumps messages before every picture, so each sample is one picture.
    void sampleWhileRunning(QWidget* view, QTimer& timer, std::vector<Sample>& samples,
                            const std::function<void(const Sample&)>& onSample = {}) {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, view, [this, view, &samples, onSample] {
            if (!window->running()) {
                return;
            }
            Sample s;
            s.status = labelText(view, CProcess::kProcessStatus);
            s.hint = labelText(view, CProcess::kProcessHint);
            auto* pictures = controlOf<QProgressBar>(view, CProcess::kPictureProgress);
            s.pictures = pictures->value();
            s.picturesMax = pictures->maximum();
            s.cancelEnabled = controlOf<QPushButton>(view, CProcess::kCancel)->isEnabled();
            s.closeEnabled = controlOf<QPushButton>(view, CProcess::kCloseWindow)->isEnabled();
            samples.push_back(s);
            if (onSample) {
                onSample(s);
            }
        });
        timer.start();
    }

    static constexpr int kAlbumId = 1;

    TempDir source;
    TempDir target;
    std::vector<PictureRecord> catalogue;
    AlbumList albums;
    FileSystem fileSystem;
    ModalDriver driver;
    gui::QtHost host{{DZ_HELP_FOLDER}};
    std::unique_ptr<CProcess> window;
};

TEST_F(ProcessViewTest, ProcessWritesTheAlbumAndShowsTheRunOnTheWidgets) {
    const std::vector<std::string> names = {"canon-40d.jpg", "fujifilm-e500-big-endian.jpg",
                                            "nikon-640x480-exif-thumbnail-160x120.jpg"};
    for (const std::string& name : names) {
        addPicture(name, readTestData(name));
    }
    addAlbum();

    std::vector<Sample> samples;
    QTimer sampler;
    const int result = run([&](QWidget* view) {
        EXPECT_NE(qobject_cast<gui::ProcessView*>(view), nullptr);
        EXPECT_EQ(view->windowTitle(), "Albums Processing");
        EXPECT_TRUE(labelText(view, CProcess::kProcessStatus).startsWith(" Found enough space on "))
            << labelText(view, CProcess::kProcessStatus).toStdString();
        EXPECT_EQ(labelText(view, CProcess::kProcessHint), "Press 'Process' to create albums. (By copy)");
        auto* process = controlOf<QPushButton>(view, CProcess::kProcess);
        auto* cancel = controlOf<QPushButton>(view, CProcess::kCancel);
        auto* close = controlOf<QPushButton>(view, CProcess::kCloseWindow);
        ASSERT_NE(process, nullptr);
        ASSERT_NE(cancel, nullptr);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(process->text().remove(QLatin1Char('&')), "Process");
        EXPECT_EQ(cancel->text().remove(QLatin1Char('&')), "Cancel");
        EXPECT_EQ(close->text().remove(QLatin1Char('&')), "Close Window");
        EXPECT_TRUE(close->isDefault());
        EXPECT_LT(process->x(), cancel->x());
        EXPECT_LT(cancel->x(), close->x());
        EXPECT_TRUE(process->isEnabled());
        EXPECT_FALSE(cancel->isEnabled());

        sampleWhileRunning(view, sampler, samples);
        process->click();
        sampler.stop();

        EXPECT_EQ(labelText(view, CProcess::kProcessStatus), "1 albums created succesfuly!");
        EXPECT_EQ(labelText(view, CProcess::kProcessHint), "Press 'Close Window' to exit.");
        auto* albumBar = controlOf<QProgressBar>(view, CProcess::kAlbumProgress);
        auto* pictureBar = controlOf<QProgressBar>(view, CProcess::kPictureProgress);
        EXPECT_EQ(albumBar->maximum(), 1);
        EXPECT_EQ(albumBar->value(), 1);
        EXPECT_EQ(pictureBar->maximum(), 3);
        EXPECT_EQ(pictureBar->value(), 3);
        EXPECT_FALSE(process->isEnabled());
        EXPECT_FALSE(cancel->isEnabled());
        EXPECT_TRUE(close->isEnabled());
        close->click();
    });
    EXPECT_EQ(result, kResultOk);
    EXPECT_EQ(albums[0].isProcessed, 1);
    EXPECT_EQ(filesIn(albumFolder()), names.size());
    for (const std::string& name : names) {
        const std::filesystem::path copy = albumFolder() / name;
        EXPECT_TRUE(std::filesystem::exists(copy)) << copy;
        EXPECT_EQ(fileBytes(copy), readTestData(name)) << copy;
        EXPECT_TRUE(std::filesystem::exists(source.path() / name)) << "a copy leaves the source";
    }

    // One turn before every picture: the widgets were drawn while the run
    // went, not only at its end.
    ASSERT_EQ(samples.size(), names.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(samples[i].status, "Processing album: Trip") << i;
        EXPECT_EQ(samples[i].pictures, static_cast<int>(i)) << i;
        EXPECT_EQ(samples[i].picturesMax, 3) << i;
        EXPECT_TRUE(samples[i].cancelEnabled) << i;
        EXPECT_FALSE(samples[i].closeEnabled) << i;
    }
    EXPECT_EQ(samples[1].hint, "Copying...canon-40d.jpg");
    EXPECT_EQ(samples[2].hint, "Copying...fujifilm-e500-big-endian.jpg");
}

TEST_F(ProcessViewTest, PreviewShowsThePlannedTreeWithItsClashAndWritesNothing) {
    addPicture("100CANON/IMG_0001.JPG", readTestData("canon-40d.jpg"));
    addPicture("101CANON/IMG_0001.JPG", readTestData("fujifilm-e500-big-endian.jpg"));
    addAlbum();
    QStringList rows;
    driver.when(isView("CProcessPreview"), [&](QWidget* preview) {
        auto* tree = controlOf<QTreeView>(preview, CProcessPreview::kTree);
        ASSERT_NE(tree, nullptr);
        const QAbstractItemModel* model = tree->model();
        ASSERT_EQ(model->rowCount(), 1);  // the album folder, the only new level
        const QModelIndex folder = model->index(0, 0);
        rows << model->data(folder).toString() + " | " + model->data(model->index(0, 1)).toString();
        for (int i = 0; i < model->rowCount(folder); ++i) {
            rows << model->data(model->index(i, 0, folder)).toString() + " | " +
                        model->data(model->index(i, 1, folder)).toString().section(':', 0, 0);
        }
        controlOf<QPushButton>(preview, CProcessPreview::kClose)->click();
    });
    run([&](QWidget* view) {
        controlOf<QPushButton>(view, CProcess::kPreview)->click();
        controlOf<QPushButton>(view, CProcess::kCloseWindow)->click();
    });
    EXPECT_EQ(rows, (QStringList{"Trip | new folder", "IMG_0001.jpg | copied from " + QString::fromStdString(source.str()) + "/100CANON/IMG_0001.JPG",
                                 "IMG_0001 (2).jpg | renamed, its name is taken by another picture"}));
    EXPECT_FALSE(std::filesystem::exists(albumFolder()));
}

TEST_F(ProcessViewTest, CancelDuringTheRunStopsItBeforeTheNextPicture) {
    constexpr int kPictures = 200;
    for (int i = 0; i < kPictures; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pic-%03d.jpg", i);
        addPicture(name, tinyExifJpeg("2006:05:14 10:00:00") + name);
    }
    addAlbum();

    std::vector<Sample> samples;
    QTimer sampler;
    const int result = run([&](QWidget* view) {
        auto* cancel = controlOf<QPushButton>(view, CProcess::kCancel);
        sampleWhileRunning(view, sampler, samples, [&](const Sample& s) {
            if (s.pictures == 5) {
                cancel->click();
            }
        });
        controlOf<QPushButton>(view, CProcess::kProcess)->click();
        sampler.stop();

        EXPECT_FALSE(window->running());
        EXPECT_TRUE(window->lastRunCancelled());
        // No end texts after a cancel.
        EXPECT_EQ(labelText(view, CProcess::kProcessStatus), "Processing album: Trip");
        EXPECT_EQ(controlOf<QProgressBar>(view, CProcess::kPictureProgress)->value(), 5);
        EXPECT_EQ(controlOf<QProgressBar>(view, CProcess::kAlbumProgress)->value(), 0);
        EXPECT_TRUE(controlOf<QPushButton>(view, CProcess::kProcess)->isEnabled());
        EXPECT_TRUE(controlOf<QPushButton>(view, CProcess::kCloseWindow)->isEnabled());
        controlOf<QPushButton>(view, CProcess::kCloseWindow)->click();
    });
    EXPECT_EQ(result, kResultOk);
    // The click came at the sixth turn, so the run stopped right there.
    EXPECT_EQ(samples.size(), 6u);
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_EQ(filesIn(albumFolder()), 5u);
}

TEST_F(ProcessViewTest, EscapeDuringTheRunStopsItAndClosesTheWindow) {
    for (int i = 0; i < 20; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pic-%03d.jpg", i);
        addPicture(name, tinyExifJpeg("2006:05:14 10:00:00") + name);
    }
    addAlbum();

    std::vector<Sample> samples;
    QTimer sampler;
    const int result = run([&](QWidget* view) {
        sampleWhileRunning(view, sampler, samples, [&](const Sample& s) {
            if (s.pictures == 2) {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(view, &escape);
            }
        });
        controlOf<QPushButton>(view, CProcess::kProcess)->click();
        sampler.stop();
        EXPECT_TRUE(window->hasEnded());
        EXPECT_FALSE(view->isVisible());
    });
    EXPECT_EQ(result, kResultCancel);
    EXPECT_EQ(albums[0].isProcessed, 0);
    EXPECT_EQ(filesIn(albumFolder()), 2u);
}

constexpr const char* kBackupWarning =
    "Even if this program use the most safe routine for moving files, in order to protect your data, before "
    "continue it is strongly recommended to make a backup of your source folder.";

// The Process Option window over an album list with nothing processed yet.
class ProcessOptionViewTest : public ::testing::Test {
protected:
    int run(const std::function<void(QWidget*)>& script) {
        bool ran = false;
        driver.when(isView("CPotion"), [&](QWidget* view) {
            ran = true;
            script(view);
            if (!window.hasEnded()) {
                ADD_FAILURE() << "the Process Option window did not end";
                window.endDialog(kResultCancel);
                static_cast<QDialog*>(view)->done(kResultCancel);
            }
        });
        const int result = host.runModal(window);
        EXPECT_TRUE(ran) << "the Process Option view never came up";
        return result;
    }

    // Ticks the box and answers the backup warning with `answer`.
    // Clicks the box, or the text that is its caption.
    void tick(QCheckBox* box, const QString& answer, QWidget* caption = nullptr) {
        bool warned = false;
        driver.when(isMessageBox(kBackupWarning), [&](QWidget* message) {
            warned = true;
            EXPECT_EQ(message->windowTitle(), "Move selected");
            pressMessageButton(message, answer);
        });
        if (caption) {
            QTest::mouseClick(caption, Qt::LeftButton);
        } else {
            box->click();
        }
        EXPECT_TRUE(warned);
    }

    Settings settings;
    AlbumList albums{Album{}};
    int saves = 0;
    ModalDriver driver;
    gui::QtHost host{{DZ_HELP_FOLDER}};
    CPotion window{host, settings, albums, {}, [this] { ++saves; }};
};

TEST_F(ProcessOptionViewTest, TickingTheBoxAndSavingChoosesMove) {
    const int result = run([&](QWidget* view) {
        EXPECT_NE(qobject_cast<gui::ProcessOptionView*>(view), nullptr);
        EXPECT_EQ(view->windowTitle(), "Process Option");
        EXPECT_EQ(labelText(view, CPotion::kExplanation).remove(QLatin1Char('&')),
                  "Check this box in order to move files instead of copy from source to target folder while "
                  "processing albums");
        auto* box = controlOf<QCheckBox>(view, CPotion::kMoveFiles);
        auto* save = controlOf<QPushButton>(view, CPotion::kSave);
        ASSERT_NE(box, nullptr);
        ASSERT_NE(save, nullptr);
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ(save->text().remove(QLatin1Char('&')), "Save");
        EXPECT_TRUE(save->isDefault());
        EXPECT_EQ(controlOf<QPushButton>(view, CPotion::kDiscard)->text().remove(QLatin1Char('&')), "Discard");

        tick(box, "OK", controlOf<QLabel>(view, CPotion::kExplanation));
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(window.control(CPotion::kMoveFiles).checked);

        bool confirmed = false;
        driver.when(isMessageBox("Move selected"), [&](QWidget* message) {
            confirmed = true;
            pressMessageButton(message, "OK");
        });
        save->click();
        EXPECT_TRUE(confirmed);
    });
    EXPECT_EQ(result, kResultOk);
    EXPECT_EQ(settings.moveFiles, 1);
    EXPECT_EQ(saves, 1);
}

TEST_F(ProcessOptionViewTest, CancellingTheWarningClearsTheBoxAgain) {
    const int result = run([&](QWidget* view) {
        auto* box = controlOf<QCheckBox>(view, CPotion::kMoveFiles);
        ASSERT_NE(box, nullptr);
        tick(box, "Cancel");
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(window.control(CPotion::kMoveFiles).checked);
        controlOf<QPushButton>(view, CPotion::kDiscard)->click();
    });
    EXPECT_EQ(result, kResultCancel);
    EXPECT_EQ(settings.moveFiles, 0);
    EXPECT_EQ(saves, 0);
}

TEST_F(ProcessOptionViewTest, EscapeDiscards) {
    const int result = run([&](QWidget* view) {
        tick(controlOf<QCheckBox>(view, CPotion::kMoveFiles), "OK");
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(view, &escape);
    });
    EXPECT_EQ(result, kResultCancel);
    EXPECT_EQ(settings.moveFiles, 0);
    EXPECT_EQ(saves, 0);
}

}  // namespace
}  // namespace dz::test
