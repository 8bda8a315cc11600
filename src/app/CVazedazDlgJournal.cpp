// The main window's side of the processing journal: finishing a run that
// was cut short, and taking the last run back.
#include "app/CVazedazDlg.h"

#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"
#include "exif/TextFormat.h"
#include "journal/JournalReader.h"
#include "journal/JournalReplay.h"
#include "journal/RunJournal.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace dz {

using namespace mainwin;

namespace {

// The newest run into `targetFolder` that `wanted` accepts.
std::optional<RunRecord> newestRun(FileSystem& fs, const std::string& targetFolder,
                                   bool (*wanted)(const RunRecord&)) {
    const std::vector<std::string> journals = journalsOf(fs, targetFolder);
    for (auto path = journals.rbegin(); path != journals.rend(); ++path) {
        std::string error;
        std::optional<RunRecord> run = readJournal(fs, *path, error);
        if (run && wanted(*run)) {
            return run;
        }
    }
    return std::nullopt;
}

// Pictures a run put somewhere, finished or cut short.
int picturesPlaced(const RunRecord& run) {
    return static_cast<int>(std::count_if(run.steps.begin(), run.steps.end(), [](const JournalStep& step) {
        return !step.travelling && (step.state == JournalStep::State::Started ||
               (step.state == JournalStep::State::Finished &&
                (step.outcome == "copied" || step.outcome == "moved" || step.outcome == "already-there")));
    }));
}

// The lines of a report's files left alone, the first few of them.
std::string leftAloneLines(const ReplayReport& report) {
    constexpr std::size_t kShown = 10;
    std::string lines;
    for (std::size_t i = 0; i < report.leftAlone.size() && i < kShown; ++i) {
        lines += "\n" + report.leftAlone[i];
    }
    if (report.leftAlone.size() > kShown) {
        lines += formatText("\n... and %d more.", static_cast<int>(report.leftAlone.size() - kShown));
    }
    return lines;
}

}  // namespace

bool CVazedazDlg::reopenJournal(RunJournal& journal, const std::string& path, const char* event) {
    if (const int error = journal.reopen(path, event)) {
        host().messageBox(formatText("The journal of that run cannot be written (%s).", std::strerror(error)),
                          kCaption, Icon::Error);
        return false;
    }
    return true;
}

void CVazedazDlg::offerToFinishRun(const std::string& targetFolder) {
    std::optional<RunRecord> run =
        newestRun(state_.fileSystem, targetFolder, [](const RunRecord& r) { return r.unfinished(); });
    if (!run) {
        return;
    }
    const std::string question = formatText(
        "The target folder holds a processing run that was interrupted (%d of %d pictures done). Finish it now?",
        run->finishedCount(), run->pictureCount());
    if (host().messageBox(question, kCaption, Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return;
    }
    RunJournal journal;
    if (!reopenJournal(journal, run->path, "resume")) {
        return;
    }
    const ReplayReport report = resumeRun(*run, journal, state_.fileSystem);
    for (Album& album : state_.albums) {
        if (std::find(report.albumsDone.begin(), report.albumsDone.end(), album.id) != report.albumsDone.end()) {
            album.isProcessed = 1;
        }
    }
    std::string text = formatText("The interrupted run is finished: %d pictures done now, %d found done.",
                                  report.done, report.checked);
    if (report.failed != 0 || !report.leftAlone.empty()) {
        text += formatText(" %d could not be done; left alone:", report.failed + static_cast<int>(report.leftAlone.size()));
        text += leftAloneLines(report);
    }
    host().messageBox(text, kCaption, report.failed == 0 ? Icon::Information : Icon::Exclamation);
    refreshAlbumList();
}

bool CVazedazDlg::catalogueMovedPictures(const std::string& sourceFolder, const std::string& targetFolder,
                                         std::vector<int>& albumsDone) {
    if (targetFolder == kNotSelected || !state_.dirReader) {
        return false;
    }
    FileSystem& fs = state_.fileSystem;
    const std::string below = sourceFolder + "/";
    bool added = false;
    for (const std::string& path : journalsOf(fs, targetFolder)) {
        std::string error;
        const std::optional<RunRecord> run = readJournal(fs, path, error);
        if (!run || run->undone || !run->move) {
            continue;
        }
        for (const JournalStep& step : run->steps) {
            // A raw or sidecar that went with its picture is not a picture of its own.
            if (step.travelling) {
                continue;
            }
            const bool tried = step.state == JournalStep::State::Started ||
                               (step.state == JournalStep::State::Finished &&
                                (step.outcome == "moved" || step.outcome == "already-there"));
            // Gone from the source and at its place: the run moved it.
            if (tried && step.source.compare(0, below.size(), below) == 0 && !fs.exists(step.source) &&
                fs.exists(step.place()) && state_.dirReader->readFile(step.place())) {
                added = true;
            }
        }
        albumsDone.insert(albumsDone.end(), run->albumsDone.begin(), run->albumsDone.end());
    }
    return added;
}

void CVazedazDlg::undoLastProcessing() {
    const std::string& target = state_.texts.targetFolder;
    std::optional<RunRecord> run;
    if (target != kNotSelected) {
        run = newestRun(state_.fileSystem, target, [](const RunRecord& r) { return !r.undone; });
    }
    if (!run) {
        host().messageBox("There is no processing to undo in the target folder.", kCaption, Icon::Information);
        return;
    }
    const int placed = picturesPlaced(*run);
    const std::string question =
        run->move ? formatText("Undo the last processing? %d moved pictures go back to their source folders.", placed)
                  : formatText("Undo the last processing? %d copied pictures are removed from the target folder.",
                               placed);
    if (host().messageBox(question, kCaption, Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return;
    }
    RunJournal journal;
    if (!reopenJournal(journal, run->path, "undo")) {
        return;
    }
    const ReplayReport report = undoRun(*run, journal, state_.fileSystem);
    // The albums the run wrote are to do again.
    for (Album& album : state_.albums) {
        const bool inRun = std::any_of(run->steps.begin(), run->steps.end(),
                                       [&album](const JournalStep& step) { return step.albumId == album.id; });
        if (inRun) {
            album.isProcessed = 0;
        }
    }
    std::string text = formatText("%d pictures went back.", report.done);
    if (report.failed != 0 || !report.leftAlone.empty()) {
        text += formatText(" %d were left alone, they changed since the run:",
                           report.failed + static_cast<int>(report.leftAlone.size()));
        text += leftAloneLines(report);
    }
    host().messageBox(text, kCaption, report.leftAlone.empty() && report.failed == 0 ? Icon::Information
                                                                                   : Icon::Exclamation);
    refreshAlbumList();
}

}  // namespace dz
