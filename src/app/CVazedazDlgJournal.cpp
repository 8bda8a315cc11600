// The main window's side of the processing journal: finishing a run that
// was cut short, and taking the last run back.
#include "app/CVazedazDlg.h"

#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"
#include "exif/TextFormat.h"
#include "journal/JournalAdoption.h"
#include "journal/JournalFolder.h"
#include "journal/JournalReplay.h"
#include "journal/RunJournal.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace dz {

using namespace mainwin;

namespace {

// The newest run into `targetFolder` that passes the gate and `wanted`
// accepts. `refused` gets the first journal, newest first, the gate refused,
// with the reason, when it is newer than the run found.
// `anotherKey` gets that journal's path when it is refused only for being
// sealed with another key, so the user may take it.
std::optional<AdmittedRun> newestRun(const JournalTrust& trust, const std::string& targetFolder,
                                     bool (*wanted)(const RunRecord&), std::string* refused = nullptr,
                                     std::string* anotherKey = nullptr) {
    const std::vector<std::string> journals = journalsOf(targetFolder);
    for (auto path = journals.rbegin(); path != journals.rend(); ++path) {
        std::string refusal;
        bool foreign = false;
        std::optional<AdmittedRun> admitted = admitJournal(*path, trust, refusal, refused != nullptr ? &foreign : nullptr);
        if (!admitted) {
            if (refused != nullptr && refused->empty()) {
                *refused = *path + ": " + refusal;
                if (foreign && anotherKey != nullptr) {
                    *anotherKey = *path;
                }
            }
            continue;
        }
        if (wanted(admitted->run)) {
            return admitted;
        }
    }
    return std::nullopt;
}

// The run's folders, for the questions that act on them.
std::string runFolders(const RunRecord& run) {
    return "\n\nSource folder: " + run.sourceFolder + "\nTarget folder: " + run.targetFolder;
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

bool CVazedazDlg::reopenJournal(RunJournal& journal, RunRecord& run, const JournalTrust& trust, const char* event) {
    if (const int error = journal.reopen(run, trust, event)) {
        host().messageBox(formatText("The journal of that run cannot be written (%s).", std::strerror(error)),
                          kCaption, Icon::Error);
        return false;
    }
    return true;
}

void CVazedazDlg::offerToFinishRun(const std::string& targetFolder) {
    JournalTrust trust(state_.dataFolder);
    if (trust.loadKey(false) != 0) {
        return;  // no key: this user's program never kept a journal
    }
    std::optional<AdmittedRun> admitted =
        newestRun(trust, targetFolder, [](const RunRecord& r) { return r.unfinished(); });
    if (!admitted) {
        return;
    }
    RunRecord* run = &admitted->run;
    const std::string question = formatText(
        "The target folder holds a processing run that was interrupted (%d of %d pictures done). Finish it now?",
        run->finishedCount(), run->pictureCount()) + runFolders(*run);
    if (host().messageBox(question, kCaption, Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return;
    }
    RunJournal journal;
    if (!reopenJournal(journal, *run, trust, "resume")) {
        return;
    }
    const ReplayReport report = resumeRun(*admitted, journal, state_.verifyCopies);
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
    if (!report.journalError.empty()) {
        text += "\nThe journal could not be written (" + report.journalError + "); the rest was not done.";
    }
    host().messageBox(text, kCaption,
                      report.failed == 0 && report.journalError.empty() ? Icon::Information : Icon::Exclamation);
    refreshAlbumList();
}

bool CVazedazDlg::catalogueMovedPictures(const std::string& sourceFolder, const std::string& targetFolder,
                                         std::vector<int>& albumsDone) {
    if (targetFolder == kNotSelected || !state_.dirReader) {
        return false;
    }
    FileSystem& fs = state_.fileSystem;
    JournalTrust trust(state_.dataFolder);
    if (trust.loadKey(false) != 0) {
        return false;
    }
    const std::string below = sourceFolder + "/";
    bool added = false;
    for (const std::string& path : journalsOf(targetFolder)) {
        std::string refusal;
        const std::optional<AdmittedRun> admitted = admitJournal(path, trust, refusal);
        if (!admitted || admitted->run.undone || !admitted->run.move) {
            continue;
        }
        const RunRecord* run = &admitted->run;
        for (const JournalStep& step : run->steps) {
            // A raw or sidecar that went with its picture is not a picture of its own.
            if (step.travelling) {
                continue;
            }
            const bool tried = step.state == JournalStep::State::Started ||
                               (step.state == JournalStep::State::Finished &&
                                (step.outcome == "moved" || step.outcome == "already-there"));
            const std::string source = run->sourcePathOf(step);
            const std::string place = run->placePathOf(step);
            // Gone from the source and at its place: the run moved it.
            if (tried && source.compare(0, below.size(), below) == 0 && !fs.exists(source) && fs.exists(place) &&
                state_.dirReader->readFile(place)) {
                added = true;
            }
        }
        albumsDone.insert(albumsDone.end(), run->albumsDone.begin(), run->albumsDone.end());
    }
    return added;
}

std::optional<AdmittedRun> CVazedazDlg::takeForeignRun(const std::string& journalPath, JournalTrust& trust) {
    const std::string question =
        "A journal in the target folder was written under another account or before your journal key was made "
        "anew:\n" +
        journalPath +
        "\n\nIf it is a run of your own, take it as yours? You name its source folder next; nothing will ever be "
        "removed from that folder.";
    if (host().messageBox(question, kCaption, Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return std::nullopt;
    }
    const std::optional<std::string> source = host().browseFolder("Source folder of that run");
    if (!source) {
        return std::nullopt;
    }
    std::string refusal;
    std::optional<AdmittedRun> foreign = admitForeignJournal(journalPath, *source, refusal);
    std::string adopted;
    int error = 0;
    if (foreign && (error = trust.loadKey(true)) == 0 && (error = adoptJournal(*foreign, trust, adopted)) == 0) {
        std::optional<AdmittedRun> admitted = admitJournal(adopted, trust, refusal);
        if (admitted) {
            return admitted;
        }
    } else if (foreign) {
        refusal = std::strerror(error);
    }
    host().messageBox("The journal was not taken, nothing was touched: " + refusal, kCaption, Icon::Exclamation);
    return std::nullopt;
}

void CVazedazDlg::undoLastProcessing() {
    const std::string& target = state_.texts.targetFolder;
    JournalTrust trust(state_.dataFolder);
    std::optional<AdmittedRun> admitted;
    std::string refused;
    std::string anotherKey;
    if (target != kNotSelected) {
        trust.loadKey(false);  // without a key every journal is another key's
        admitted = newestRun(trust, target, [](const RunRecord& r) { return !r.undone; }, &refused, &anotherKey);
    }
    if (!admitted && !anotherKey.empty()) {
        admitted = takeForeignRun(anotherKey, trust);
        if (!admitted) {
            return;
        }
    }
    if (!admitted) {
        std::string text = "There is no processing to undo in the target folder.";
        if (!refused.empty()) {
            text += "\nA journal there is not trusted and was left as it is: " + refused;
        }
        host().messageBox(text, kCaption, Icon::Information);
        return;
    }
    RunRecord* run = &admitted->run;
    const int placed = picturesPlaced(*run);
    const std::string question =
        (run->move ? formatText("Undo the last processing? %d moved pictures go back to their source folders.", placed)
                   : formatText("Undo the last processing? %d copied pictures are removed from the target folder.",
                                placed)) +
        runFolders(*run);
    if (host().messageBox(question, kCaption, Icon::Question, Buttons::YesNo) != Answer::Yes) {
        return;
    }
    RunJournal journal;
    if (!reopenJournal(journal, *run, trust, "undo")) {
        return;
    }
    const ReplayReport report = undoRun(*admitted, journal);
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
    if (report.failed != 0) {
        text += "\nWhat could not be taken back stays in the journal: Undo again to try it once more.";
    }
    if (!report.journalError.empty()) {
        text += "\nThe journal could not be written (" + report.journalError + "); the rest was not taken back.";
    }
    host().messageBox(text, kCaption,
                      report.leftAlone.empty() && report.failed == 0 && report.journalError.empty()
                          ? Icon::Information
                          : Icon::Exclamation);
    refreshAlbumList();
}

}  // namespace dz
