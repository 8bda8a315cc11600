#include "duplicates/CDuplicates.h"

#include "duplicates/PictureAnalysis.h"

#include <algorithm>
#include <cstdio>

namespace dz {

namespace {
constexpr int kHelpTopic = 9;
constexpr const char* kCaption = "Dezoredu";
}  // namespace

CDuplicates::CDuplicates(Host& host, DuplicateJob job)
    : Window(host, "CDuplicates", "Search for duplicates", kHelpTopic), job_(std::move(job)) {
    addControl(kOk, ControlKind::Button, "OK");
    addControl(kCancel, ControlKind::Button, "Cancel");
    addControl(kStatus, ControlKind::Static);
    addControl(kGroups, ControlKind::ListBox);
    addControl(kCompare, ControlKind::Button, "Compare");
    addControl(kAnalize, ControlKind::Button, "Analize");
    addControl(kExclude, ControlKind::CheckBox, "Exclude all duplicates from pictures list");
    addControl(kProgress, ControlKind::Progress);
    addControl(kViewer, ControlKind::Picture);
    addControl(kViewerCaption, ControlKind::Static, "Thumbnail Viewer");
    addControl(kRemoveSelected, ControlKind::Button, "Remove selected");
    addControl(kSimilar, ControlKind::CheckBox, "Similar pictures");
}

void CDuplicates::onInit() {
    if (job_.reloadSettings) {
        job_.reloadSettings();
    }
    control(kExclude).enabled = false;
    control(kRemoveSelected).enabled = false;
    control(kCompare).enabled = false;
    const bool allAnalysed = std::all_of(job_.catalogue.begin(), job_.catalogue.end(),
                                         [](const PictureRecord& p) { return isAnalysed(p); });
    if (allAnalysed) {
        control(kAnalize).enabled = false;
        control(kCompare).enabled = true;
        control(kStatus).text = "Pictures are analized. You may compare them.";
    } else {
        control(kStatus).text = "Pictures not analized.Please analize first, then compare";
    }
    control(kExclude).checked = job_.excludeDuplicates == 1;
    job_.abortRequest = false;
    drawPlaceholder();
    control(kViewer).enabled = false;
    control(kViewerCaption).enabled = false;
    refresh();
}

void CDuplicates::onCommand(int id) {
    switch (id) {
    case kAnalize:
        analyse();
        return;
    case kCompare:
        compare();
        return;
    case kRemoveSelected:
        removeSelected();
        return;
    case kExclude:
        job_.excludeDuplicates = control(kExclude).checked ? 1 : 0;
        return;
    case kOk:
        accept();
        return;
    case kCancel:
        onCancel();
        return;
    default:
        return;
    }
}

void CDuplicates::onSelectionChanged(int id) {
    if (id == kGroups) {
        showSelected();
    }
}

void CDuplicates::onCancel() {
    // A running pass sees the flag at its next picture and stops.
    job_.abortRequest = true;
    endDialog(kResultCancel);
}

void CDuplicates::showStatus(const std::string& text) {
    control(kStatus).text = text;
    refresh();
}

void CDuplicates::startProgress() {
    Control& progress = control(kProgress);
    progress.rangeMin = 0;
    progress.rangeMax = static_cast<int>(job_.catalogue.size());
    progress.position = 0;
}

std::size_t CDuplicates::takeOut(const std::function<bool(const PictureRecord&)>& which) {
    std::size_t taken = 0;
    auto keep = job_.catalogue.begin();
    for (auto it = job_.catalogue.begin(); it != job_.catalogue.end(); ++it) {
        if (!which(*it)) {
            if (keep != it) {
                *keep = std::move(*it);
            }
            ++keep;
            continue;
        }
        it->isExcluded = 1;
        job_.removedPictures.push_back(*it);
        job_.removedBytes += static_cast<std::int64_t>(shotSize(*it));
        ++taken;
    }
    job_.catalogue.erase(keep, job_.catalogue.end());
    return taken;
}

void CDuplicates::accept() {
    if (running_ || !control(kOk).enabled) {
        return;
    }
    if (job_.excludeDuplicates == 1) {
        takeOut([](const PictureRecord& p) { return p.isDuplicate != 0; });
    }
    job_.filmBuilt = false;
    if (job_.removedBytes != 0) {
        const auto removed = static_cast<int>(static_cast<std::int64_t>(job_.scannedCount) -
                                              static_cast<std::int64_t>(job_.catalogue.size()));
        char text[160];
        std::snprintf(text, sizeof text, "Ready! %d duplicate pics removed: %5.1f MB space freed.", removed,
                      static_cast<double>(job_.removedBytes) / 1048576.0);
        host().messageBox(text, kCaption, Icon::Information);
    }
    if (job_.saveSettings) {
        job_.saveSettings();
    }
    endDialog(kResultOk);
}

}  // namespace dz
