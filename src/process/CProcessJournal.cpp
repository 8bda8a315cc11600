// The run's journal: its plan before the first file operation, a line as
// each picture's operation starts and ends, the folders made and the albums
// finished.
#include "process/CProcess.h"

#include "exif/TextFormat.h"
#include "platform/FileIdentity.h"
#include "platform/SystemError.h"
#include "process/FileErrorPrompt.h"
#include "process/RunPlan.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace dz {

namespace {

// `path` below `root`, or empty when it lies elsewhere.
std::string below(const std::string& root, const std::string& path) {
    if (root == "/" && path.size() > 1 && path.front() == '/') {
        return path.substr(1);
    }
    if (path.size() > root.size() + 1 && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/') {
        return path.substr(root.size() + 1);
    }
    return {};
}

// The folder all of `paths` lie below, `preferred` when it holds them all.
std::string commonFolder(const std::vector<std::string>& paths, const std::string& preferred) {
    const bool allBelow = !preferred.empty() && std::all_of(paths.begin(), paths.end(), [&](const std::string& p) {
        return !below(preferred, p).empty();
    });
    if (allBelow || paths.empty()) {
        return preferred.empty() ? std::string("/") : preferred;
    }
    std::string common = folderOf(paths.front());
    for (const std::string& path : paths) {
        while (common != "/" && !common.empty() && below(common, path).empty()) {
            common = folderOf(common);
        }
    }
    return common.empty() ? std::string("/") : common;
}

}  // namespace

std::string CProcess::journalPath(const std::string& path) const {
    return below(job_.targetPath, path);
}

bool CProcess::startJournal() {
    journal_.close();
    journalSteps_.clear();
    stepIndex_.clear();
    if (!job_.keepJournal) {
        return true;
    }
    const RunPlan plan = planRun(job_, fileSystem_, &alreadyInTarget_);
    std::vector<std::string> outside;
    for (const PlannedPicture& planned : plan.pictures) {
        if (planned.action != PlannedPicture::Action::Refused && below(job_.targetPath, planned.source).empty()) {
            outside.push_back(planned.source);
        }
    }
    journalSource_ = commonFolder(outside, job_.sourcePath);
    RunRecord run;
    run.targetFolder = job_.targetPath;
    run.sourceFolder = journalSource_;
    run.move = job_.moveFiles;
    for (const PlannedPicture& planned : plan.pictures) {
        if (planned.action == PlannedPicture::Action::Refused) {
            continue;
        }
        JournalStep step;
        step.number = static_cast<int>(run.steps.size()) + 1;
        step.albumId = planned.albumId;
        step.sourceInTarget = !below(job_.targetPath, planned.source).empty();
        step.source = step.sourceInTarget ? below(job_.targetPath, planned.source) : below(journalSource_, planned.source);
        step.target = below(job_.targetPath, planned.target);
        step.size = planned.size;
        step.move = job_.moveFiles;
        step.travelling = planned.travelling;
        if (job_.moveFiles) {
            step.identity = planned.sourceFacts;
        }
        if (step.source.empty() || step.target.empty()) {
            continue;
        }
        stepIndex_[{step.albumId, planned.source}] = run.steps.size();
        run.steps.push_back(std::move(step));
    }
    if (run.steps.empty()) {
        return true;
    }
    int error = trust_.loadKey(true);
    if (error == 0) {
        error = journal_.begin(run, trust_);
    }
    if (error != 0) {
        journal_.close();
        stepIndex_.clear();
        const std::string text = formatText(
            "The journal of this run cannot be written in the target folder (%s). Without it an interrupted run "
            "cannot be resumed or undone. Process without it?",
            std::strerror(error));
        return host().messageBox(text, "Dezoredu", Icon::Exclamation, Buttons::OkCancel) == Answer::Ok;
    }
    journalSteps_ = std::move(run.steps);
    return true;
}

JournalStep* CProcess::journalStepOf(int albumId, const std::string& source) {
    const auto found = stepIndex_.find({albumId, source});
    return found == stepIndex_.end() ? nullptr : &journalSteps_[found->second];
}

bool CProcess::journalStarted(JournalStep* step, const std::string& from, const std::string& to,
                              const FileIdentity& source) {
    if (step == nullptr) {
        return true;
    }
    step->placedAt = journalPath(to);
    step->move = job_.moveFiles;
    step->sha256.clear();
    const FileIdentity planned = step->identity;
    // The source as the operation found it: a rename keeps the file, so its
    // identity tells it again without a byte read; a copy's source, still
    // unchanged, is known to the target's ledger by it and the copy's hash.
    step->identity = source;
    bool flushFirst = false;
    if (job_.moveFiles) {
        // A move to another file system reads the bytes anyway; their hash
        // lets a resume know the copy when the source is gone.
        // One look at each album folder's device, not one per picture.
        const std::string folder = folderOf(to);
        if (folder != targetFolder_.first) {
            FileIdentity facts;
            targetFolder_ = {folder, identifyFile(folder, facts) ? facts.device : 0};
        }
        if (targetFolder_.second == 0 || targetFolder_.second != source.device) {
            fileSystem_.hashFile(from, step->sha256);
        }
        // The plan on the disk already tells a rename of the planned file to
        // its planned place; anything else needs its line there first.
        flushFirst = !step->sha256.empty() || step->placedAt != step->target || planned.inode == 0 ||
                     !(planned == step->identity);
    }
    // No operation without its line: the journal is what a resume and an
    // undo go by. A full disk is asked about like any other write.
    // A copy's line is written before it; a plain rename's may wait for
    // the next group, the plan telling it meanwhile.
    const RunJournal::LineWay way = flushFirst          ? RunJournal::LineWay::Flushed
                                    : job_.moveFiles ? RunJournal::LineWay::Held
                                                     : RunJournal::LineWay::Written;
    while (const int error = journal_.stepStarted(*step, way)) {
        const FileErrorChoice choice =
            reportFileError(host(), mapErrno(error, FileOperation::Write), journal_.path());
        if (!choice.retry) {
            // Without its line the operation is not made.
            return false;
        }
    }
    return true;
}

void CProcess::journalInPlace(JournalStep* step) {
    if (step != nullptr) {
        journal_.stepFinished(step->number, "in-place");
    }
}

void CProcess::journalFinished(JournalStep* step, const TransferEnd& end, bool alreadyThere, bool moved) {
    if (step == nullptr) {
        return;
    }
    if (end.placed && !alreadyThere && !moved) {
        step->sha256 = fileSystem_.lastCopyHash();
    }
    std::string outcome = "failed";
    if (end.placed) {
        outcome = alreadyThere ? "already-there" : moved ? "moved" : "copied";
    } else if (end.goOn) {
        outcome = "left";
    }
    journal_.stepFinished(step->number, outcome, job_.moveFiles ? std::string() : step->sha256);
}

}  // namespace dz
