#include "ModalDriver.h"
#include "ScriptedHost.h"
#include "TempDir.h"

#include "catalogue/CDirReader.h"
#include "duplicates/CDuplicates.h"
#include "gui/DuplicatesView.h"
#include "gui/QtHost.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dz::test {
namespace {

using W = CDuplicates;

QString labelText(QWidget* view, int id) {
    auto* label = controlOf<QLabel>(view, id);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(id);
}

// What the window showed at one pumped turn of a pass.
struct Sample {
    QString status;
    int progress = -1;
    int progressMax = -1;
    bool okEnabled = true;
    int rows = -1;
};

// Copies of real pictures in a folder, catalogued by the scan in name order,
// searched for duplicates by the window on the Qt host.
class DuplicatesViewTest : public ::testing::Test {
protected:
    // `copies` byte-identical pictures c-000 ..., then one other picture z.
    void catalogueCopies(int copies) {
        const std::string copy = readTestData("nikon-640x480-exif-thumbnail-160x120.jpg");
        for (int i = 0; i < copies; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "c-%03d.jpg", i);
            folder.write(name, copy);
        }
        folder.write("z.jpg", readTestData("canon-40d.jpg"));
        ScriptedHost scanHost;
        const bool stop = false;
        CDirReader reader(scanHost, fileSystem, stop);
        reader.listFolders(folder.str(), true);
        reader.collectPictures("*.jpg", true, false);
        catalogue = reader.catalogue();
        std::sort(catalogue.begin(), catalogue.end(),
                  [](const PictureRecord& a, const PictureRecord& b) { return a.path < b.path; });
        scannedCount = static_cast<std::int32_t>(catalogue.size());
    }

    // Runs the window modally with `script` inside its view; a window the
    // script leaves open is closed so the test cannot hang.
    int run(const std::function<void(QWidget*)>& script) {
        window = std::make_unique<W>(host, DuplicateJob{catalogue, removed, removedBytes, duplicatesFound,
                                                        scannedCount, abortRequest, excludeDuplicates, filmBuilt,
                                                        {}, [this] { ++saves; }});
        return runScripted(host, *window, driver, script);
    }

    // Samples the view at every turn of the event loop while a pass runs.
    void sampleWhileRunning(QWidget* view, QTimer& timer, std::vector<Sample>& samples,
                            const std::function<void(const Sample&)>& onSample = {}) {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, view, [this, view, &samples, onSample] {
            if (!window->running()) {
                return;
            }
            Sample s;
            s.status = labelText(view, W::kStatus);
            auto* bar = controlOf<QProgressBar>(view, W::kProgress);
            s.progress = bar->value();
            s.progressMax = bar->maximum();
            s.okEnabled = controlOf<QPushButton>(view, W::kOk)->isEnabled();
            s.rows = controlOf<QListWidget>(view, W::kGroups)->count();
            samples.push_back(s);
            if (onSample) {
                onSample(s);
            }
        });
        timer.start();
    }

    TempDir folder;
    FileSystem fileSystem;
    std::vector<PictureRecord> catalogue;
    std::vector<PictureRecord> removed;
    std::int64_t removedBytes = 0;
    std::int32_t duplicatesFound = 0;
    std::int32_t scannedCount = 0;
    bool abortRequest = false;
    std::int32_t excludeDuplicates = 0;
    bool filmBuilt = true;
    int saves = 0;
    ModalDriver driver;
    gui::QtHost host{{DZ_HELP_FOLDER}};
    std::unique_ptr<W> window;
};

TEST_F(DuplicatesViewTest, AnalyseCompareViewAndExcludeOnTheWidgets) {
    catalogueCopies(3);
    ASSERT_EQ(catalogue.size(), 4u);
    std::vector<Sample> analysing;
    QTimer sampler;
    const int result = run([&](QWidget* view) {
        EXPECT_NE(qobject_cast<gui::DuplicatesView*>(view), nullptr);
        EXPECT_EQ(view->windowTitle(), "Search for duplicates");
        auto* analize = controlOf<QPushButton>(view, W::kAnalize);
        auto* compare = controlOf<QPushButton>(view, W::kCompare);
        auto* remove = controlOf<QPushButton>(view, W::kRemoveSelected);
        auto* ok = controlOf<QPushButton>(view, W::kOk);
        auto* cancel = controlOf<QPushButton>(view, W::kCancel);
        auto* exclude = controlOf<QCheckBox>(view, W::kExclude);
        auto* groups = controlOf<QListWidget>(view, W::kGroups);
        auto* frame = controlOf<QLabel>(view, W::kViewer);
        for (QWidget* w : std::vector<QWidget*>{analize, compare, remove, ok, cancel, exclude, groups, frame}) {
            ASSERT_NE(w, nullptr);
        }
        EXPECT_EQ(analize->text().remove(QLatin1Char('&')), "Analize");
        EXPECT_EQ(compare->text().remove(QLatin1Char('&')), "Compare");
        EXPECT_EQ(remove->text().remove(QLatin1Char('&')), "Remove selected");
        EXPECT_EQ(ok->text().remove(QLatin1Char('&')), "OK");
        EXPECT_EQ(cancel->text().remove(QLatin1Char('&')), "Cancel");
        EXPECT_EQ(exclude->text().remove(QLatin1Char('&')), "Exclude all duplicates from pictures list");
        EXPECT_EQ(labelText(view, W::kViewerCaption), "Thumbnail Viewer");
        EXPECT_EQ(labelText(view, W::kStatus), "Pictures not analized.Please analize first, then compare");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_LT(ok->x(), cancel->x());
        EXPECT_EQ(frame->size(), QSize(W::kViewerWidth, W::kViewerHeight));
        EXPECT_TRUE(analize->isEnabled());
        EXPECT_FALSE(compare->isEnabled());
        EXPECT_FALSE(remove->isEnabled());
        EXPECT_FALSE(exclude->isEnabled());

        sampleWhileRunning(view, sampler, analysing);
        analize->click();
        sampler.stop();
        EXPECT_EQ(labelText(view, W::kStatus), "Analize finished.Ready to compare.");
        EXPECT_FALSE(analize->isEnabled());
        EXPECT_TRUE(compare->isEnabled());
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_EQ(controlOf<QProgressBar>(view, W::kProgress)->value(), 4);

        compare->click();
        EXPECT_EQ(labelText(view, W::kStatus), "Ready. Found 2 duplicates");
        ASSERT_EQ(groups->count(), 4);
        EXPECT_EQ(groups->item(0)->text(), "### Duplicate nr.1 ###");
        EXPECT_EQ(groups->item(1)->text().toStdString(), catalogue[0].path);
        EXPECT_TRUE(exclude->isEnabled());

        groups->setCurrentRow(2);
        EXPECT_TRUE(remove->isEnabled());
        ASSERT_FALSE(frame->pixmap().isNull());
        EXPECT_EQ(frame->pixmap().size(), QSize(W::kViewerWidth, W::kViewerHeight));
        EXPECT_NE(frame->pixmap().toImage().pixel(W::kViewerWidth / 2, W::kViewerHeight / 2), qRgb(0, 0, 0));
        groups->setCurrentRow(0);
        EXPECT_FALSE(remove->isEnabled());
        EXPECT_FALSE(frame->isEnabled());

        exclude->click();
        EXPECT_EQ(excludeDuplicates, 1);
        bool told = false;
        char freed[160];
        std::snprintf(freed, sizeof freed, "Ready! 2 duplicate pics removed: %5.1f MB space freed.",
                      static_cast<double>(catalogue[1].size + catalogue[2].size) / 1048576.0);
        driver.when(isMessageBox(QString::fromUtf8(freed)), [&](QWidget* box) {
                        told = true;
                        pressMessageButton(box, QStringLiteral("OK"));
                    });
        ok->click();
        EXPECT_TRUE(told);
    });
    EXPECT_EQ(result, kResultOk);
    EXPECT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(removed.size(), 2u);
    EXPECT_EQ(saves, 1);
    // Pumped before every picture: the widgets were drawn while it went.
    ASSERT_EQ(analysing.size(), 4u);
    for (std::size_t i = 0; i < analysing.size(); ++i) {
        EXPECT_EQ(analysing[i].progress, static_cast<int>(i)) << i;
        EXPECT_EQ(analysing[i].progressMax, 4) << i;
        EXPECT_FALSE(analysing[i].okEnabled) << i;
    }
    EXPECT_EQ(analysing[2].status, "Analizing picture 2. Please wait...");
}

TEST_F(DuplicatesViewTest, CancelDuringTheComparisonClosesTheWindowAndStopsThePass) {
    catalogueCopies(1);
    for (std::size_t i = 0; i < 300; ++i) {
        PictureRecord p = catalogue[0];
        p.path = folder.str() + "/made-" + std::to_string(i) + ".jpg";
        p.block = std::make_shared<PictureBlock>(*p.block);
        catalogue.push_back(p);
    }
    // Analysed already, every picture its own: the comparison lists nothing
    // and goes on to the end unless stopped.
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        catalogue[i].block->signature.fill(1.0 / 16.0);
        catalogue[i].block->signature[0] = 1.0 / (static_cast<double>(i) + 2.0);
    }
    std::vector<Sample> samples;
    QTimer sampler;
    const int result = run([&](QWidget* view) {
        auto* compare = controlOf<QPushButton>(view, W::kCompare);
        ASSERT_TRUE(compare->isEnabled()) << "every picture is analysed";
        EXPECT_EQ(labelText(view, W::kStatus), "Pictures are analized. You may compare them.");
        auto* cancel = controlOf<QPushButton>(view, W::kCancel);
        sampleWhileRunning(view, sampler, samples, [&](const Sample& s) {
            if (s.progress == 10) {
                cancel->click();
            }
        });
        compare->click();
        sampler.stop();
        EXPECT_TRUE(window->hasEnded());
        EXPECT_FALSE(view->isVisible());
    });
    EXPECT_EQ(result, kResultCancel);
    EXPECT_TRUE(abortRequest);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples.back().progress, 10) << "the pass stopped at the next picture";
    EXPECT_EQ(samples.back().status, "Comparing picture 10. Please wait...");
    EXPECT_EQ(catalogue.size(), 302u);
}

}  // namespace
}  // namespace dz::test
