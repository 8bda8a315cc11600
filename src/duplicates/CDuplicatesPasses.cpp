#include "duplicates/CDuplicates.h"

#include "duplicates/AnalysisPass.h"
#include "duplicates/ComparePass.h"

#include <cstdio>

namespace dz {

namespace {

std::string numbered(const char* format, int n) {
    char text[96];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

}  // namespace

// Both passes pump before every picture, so further clicks arrive while they
// run; a second pass, or a removal, over the catalogue a pass is walking is
// refused until it ends. A host that shows the window redraws it at every
// pump, so the steps only change the controls.

void CDuplicates::analyse() {
    if (running_ || !control(kAnalize).enabled) {
        return;
    }
    running_ = true;
    control(kOk).enabled = false;
    const AnalysisOutcome outcome = analyseCatalogue(job_.catalogue, startAnalysisSteps());
    running_ = false;
    if (outcome.stopped) {
        control(kStatus).text = "Analize canceled by user.";
    } else {
        control(kStatus).text = "Analize finished.Ready to compare.";
        control(kAnalize).enabled = false;
        control(kCompare).enabled = true;
    }
    control(kOk).enabled = true;
    refresh();
}

// Alike pictures are compared by the looks of their own pixels, each file
// read once while the window is open; false when Cancel stopped it.
bool CDuplicates::lookAtPictures() {
    return !looks_.update(job_.catalogue, startAnalysisSteps()).stopped;
}

AnalysisHooks CDuplicates::startAnalysisSteps() {
    startProgress();
    refresh();
    AnalysisHooks hooks;
    hooks.beforePicture = [this](int position) {
        host().pumpMessages();
        if (job_.abortRequest) {
            return false;
        }
        control(kStatus).text = numbered("Analizing picture %d. Please wait...", position);
        return true;
    };
    hooks.afterPicture = [this](int) { ++control(kProgress).position; };
    return hooks;
}

void CDuplicates::compare() {
    if (running_ || !control(kCompare).enabled) {
        return;
    }
    runCompare();
}

void CDuplicates::runCompare() {
    running_ = true;
    control(kOk).enabled = false;
    Control& list = control(kGroups);
    list.items.clear();
    list.selection = -1;
    linePaths_.clear();
    const bool similar = control(kSimilar).checked;
    if (similar && !lookAtPictures()) {
        running_ = false;
        return;
    }
    startProgress();
    showStatus("Searching. Please wait...");
    CompareHooks hooks;
    hooks.beforePicture = [this](int position) {
        host().pumpMessages();
        if (job_.abortRequest) {
            return false;
        }
        ++control(kProgress).position;
        control(kStatus).text = numbered("Comparing picture %d. Please wait...", position);
        return true;
    };
    hooks.onGroup = [this, similar](const DuplicateGroup& group, int number, int duplicates) {
        const std::vector<std::string> lines = groupLines(group, number, job_.catalogue, similar);
        Control& groups = control(kGroups);
        groups.items.insert(groups.items.end(), lines.begin(), lines.end());
        linePaths_.emplace_back();
        linePaths_.push_back(job_.catalogue[group.head].path);
        for (const std::size_t member : group.members) {
            linePaths_.push_back(job_.catalogue[member].path);
        }
        control(kStatus).text = numbered("Found %d duplicates", duplicates);
    };
    const CompareOutcome outcome =
        compareCatalogue(job_.catalogue, hooks, similar ? kDefaultSimilarThreshold : 0.0, looks_.looks());
    running_ = false;
    if (outcome.stopped) {
        return;
    }
    if (outcome.duplicates > 0) {
        control(kStatus).text = numbered("Ready. Found %d duplicates", outcome.duplicates);
        control(kExclude).enabled = true;
        if (job_.duplicatesFound == 0) {
            job_.duplicatesFound = outcome.duplicates;
        }
    } else {
        control(kStatus).text = "Found no duplicates";
        control(kExclude).enabled = false;
    }
    control(kOk).enabled = true;
    refresh();
}

}  // namespace dz
