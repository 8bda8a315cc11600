// The run's journal: its plan before the first file operation, a line as
// each picture's operation starts and ends, the folders made and the albums
// finished.
#include "process/CProcess.h"

#include "exif/TextFormat.h"
#include "platform/FileHash.h"
#include "platform/SystemError.h"
#include "process/FileErrorPrompt.h"
#include "process/RunPlan.h"

#include <cstring>

namespace dz {

bool CProcess::startJournal() {
    journal_.close();
    journalSteps_.clear();
    stepIndex_.clear();
    if (!job_.keepJournal) {
        return true;
    }
    RunRecord run;
    run.targetFolder = job_.targetPath;
    run.move = job_.moveFiles;
    for (const PlannedPicture& planned : planRun(job_, fileSystem_).pictures) {
        if (planned.action == PlannedPicture::Action::Refused) {
            continue;
        }
        JournalStep step;
        step.number = static_cast<int>(run.steps.size()) + 1;
        step.albumId = planned.albumId;
        step.source = planned.source;
        step.target = planned.target;
        step.size = planned.size;
        step.move = job_.moveFiles;
        step.travelling = planned.travelling;
        stepIndex_[{step.albumId, step.source}] = run.steps.size();
        run.steps.push_back(std::move(step));
    }
    if (run.steps.empty()) {
        return true;
    }
    if (const int error = journal_.begin(run)) {
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

bool CProcess::journalStarted(JournalStep* step, const std::string& from, const std::string& to) {
    if (step == nullptr) {
        return true;
    }
    step->placedAt = to;
    step->move = job_.moveFiles;
    // The hash lets a resume and an undo know the picture's bytes wherever
    // they find them. A move takes it first, as its source goes; a copy's is
    // taken while it is made (hashWhileCopying). A source that cannot be read
    // fails its transfer anyway.
    step->sha256.clear();
    if (job_.moveFiles) {
        fileSystem_.hashFile(from, step->sha256);
    }
    // No operation without its line: the journal is what a resume and an
    // undo go by. A full disk is asked about like any other write.
    while (const int error = journal_.stepStarted(*step)) {
        const FileErrorChoice choice =
            reportFileError(host(), mapErrno(error, FileOperation::Write), journal_.path());
        if (!choice.retry) {
            return choice.goOn;
        }
    }
    return true;
}

std::future<std::string> CProcess::hashWhileCopying(const JournalStep* step, const std::string& from) const {
    if (step == nullptr || job_.moveFiles) {
        return {};
    }
    // On another core, beside the copy the kernel makes: the journal then
    // costs the run little more than its lines.
    return std::async(std::launch::async, [from] {
        std::string sha256;
        sha256OfFile(from, sha256);
        return sha256;
    });
}

void CProcess::journalFinished(JournalStep* step, const TransferEnd& end, bool alreadyThere, bool moved,
                               std::future<std::string> copyHash) {
    if (step == nullptr) {
        return;
    }
    if (copyHash.valid()) {
        step->sha256 = copyHash.get();
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
