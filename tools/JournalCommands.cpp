#include "JournalCommands.h"

#include "CliHost.h"
#include "CommandWords.h"
#include "CameraClockOption.h"
#include "LoadedSession.h"
#include "RunPlanLines.h"

#include "journal/JournalAdoption.h"
#include "journal/JournalReplay.h"
#include "journal/JsonWriter.h"
#include "journal/RunJournal.h"
#include "platform/ConfigFolder.h"
#include "platform/TimeZone.h"
#include "process/RunPlan.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace dz {

void PlanCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli plan [--camera-clock MODEL=ZONE]... SESSION.fls\n"
           "\n"
           "Loads the session as File > Load Session does and prints what processing it\n"
           "would do, writing nothing: one JSON object a line per picture of the albums\n"
           "still to process, with \"source\", \"target\", \"action\" (copy, move,\n"
           "already-there, renamed-for-clash, asks-overwrite, refused or in-place: the\n"
           "picture is already its own target and stays as it is) and \"reason\",\n"
           "then a summary line with the pictures, bytes, new folders, clashes, and the\n"
           "space needed and free on the target.\n"
           "\n"
        << kCameraClockUsage
        << "          (the session is put on one timeline; album ends follow their pictures)\n"
           "\n"
           "Exit status: 0 when the plan was made, 1 when the session was not loaded or\n"
           "names no target, 2 on a usage error.\n";
}

int PlanCommand::run(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    if (!takeCameraClockOptions(args, clocks_, rest, err_)) {
        printUsage(err_);
        return kUsageError;
    }
    const std::optional<std::string> sessionPath = soleOperand(splitCommandWords(rest), err_);
    if (!sessionPath) {
        printUsage(err_);
        return kUsageError;
    }
    CliHost host(err_);
    LoadedSession session(host, fileSystem_);
    if (!session.load(*sessionPath)) {
        err_ << "dezoredu-cli: session not loaded: " << *sessionPath << "\n";
        return kNotLoaded;
    }
    AppState& state = session.state();
    applyCameraClocks(clocks_, state);
    if (state.processTargetPath.empty()) {
        err_ << "dezoredu-cli: the session has no target folder\n";
        return kNotLoaded;
    }
    const Settings& s = state.settings;
    const ProcessJob job{state.albums, session.catalogue(), state.processTargetPath, s.moveFiles != 0,
                         NameFormats{s.dateFormatIndex, s.timeFormatIndex, currentTimeZone().totalBiasMinutes()},
                         false, state.texts.sourceFolder, state.dataFolder};
    printRunPlan(job, fileSystem_, out_);
    return kDone;
}

namespace {

const char* const kTrustText =
    "Only a journal this user's program wrote is followed: every line carries a seal\n"
    "of a key kept in the user's data folder (~/.local/share/dezoredu), and the\n"
    "journal must not be behind the program's own record of its run. Its paths are\n"
    "taken beneath the run's source and target folders, which must be the very\n"
    "folders of the run (a drive mounted at another place is found again). Any other\n"
    "journal is refused whole, naming why, and nothing is touched. Reading is\n"
    "bounded: at most 2 GiB and 1,000,000 steps a journal, and the newest 100\n"
    "journals of a target folder are looked at. A journal of your own written under\n"
    "another account or before your key was made anew can be taken with\n"
    "`dezoredu-cli trust`.\n";

}  // namespace

void JournalCommand::printUsage(Kind kind, std::ostream& err) {
    if (kind == Kind::Resume) {
        err << "usage: dezoredu-cli resume [--verify] JOURNAL\n"
               "\n"
               "Finishes an interrupted processing run from its journal alone (the file under\n"
               "TARGET/.dezoredu/journal/): steps done are checked and passed over, a step cut\n"
               "short is completed or redone, the others are carried out. Nothing is replaced:\n"
               "a different file in a picture's place sends the picture and the files that\n"
               "travel with it to free names. --verify reads each copy back from the disk and\n"
               "compares it before it takes its name.\n"
               "\n"
               << kTrustText <<
               "\n"
               "Exit status: 0 when every picture of the run is in place, 1 otherwise (also\n"
               "when the journal is refused), 2 on a usage error.\n";
        return;
    }
    err << "usage: dezoredu-cli undo JOURNAL\n"
           "\n"
           "Takes a processing run back from its journal: moved pictures go back to their\n"
           "source paths, copies are removed, files the run replaced come back, folders the\n"
           "run made are removed when empty. A file whose bytes changed since the run, or a\n"
           "source path taken since, is left alone and listed; so is a copy whose source\n"
           "was deleted or changed since, as it may be the last one. Works on a run that was\n"
           "itself interrupted; what could not be taken back stays for the next undo.\n"
           "\n"
           << kTrustText <<
           "\n"
           "Exit status: 0 when everything went back, 1 when something was left alone or\n"
           "failed, or the journal is refused, 2 on a usage error.\n";
}

namespace {

// The journal's path as given, made absolute, so its target folder can be told.
std::string absolutePath(const std::string& path) {
    if (!path.empty() && path.front() == '/') {
        return path;
    }
    char here[4096];
    return ::getcwd(here, sizeof here) != nullptr ? std::string(here) + "/" + path : path;
}

}  // namespace

int JournalCommand::run(const std::vector<std::string>& args) {
    CommandWords words = splitCommandWords(args);
    const auto verifyOption = std::find(words.options.begin(), words.options.end(), "--verify");
    const bool verify = kind_ == Kind::Resume && verifyOption != words.options.end();
    if (verify) {
        words.options.erase(verifyOption);
    }
    const std::optional<std::string> journalPath = soleOperand(words, err_);
    if (!journalPath) {
        printUsage(kind_, err_);
        return kUsageError;
    }
    const std::string& path = *journalPath;
    JournalTrust trust(userDataFolder());
    std::string refusal;
    std::optional<AdmittedRun> admitted;
    if (trust.loadKey(false) != 0) {
        refusal = "this user's program has no journal key: it wrote no journal";
    } else {
        admitted = admitJournal(absolutePath(path), trust, refusal);
    }
    if (!admitted) {
        err_ << "dezoredu-cli: " << path << ": refused, nothing was touched: " << refusal << "\n";
        return kIncomplete;
    }
    RunRecord* run = &admitted->run;
    if (run->undone) {
        err_ << "dezoredu-cli: " << path << ": this run was undone already\n";
        return kIncomplete;
    }
    const bool resume = kind_ == Kind::Resume;
    err_ << "dezoredu-cli: " << (resume ? "finishing" : "undoing") << " the run from " << run->sourceFolder
         << " into " << run->targetFolder << "\n";
    RunJournal journal;
    if (const int e = journal.reopen(*run, trust, resume ? "resume" : "undo")) {
        err_ << "dezoredu-cli: " << path << ": cannot be written: " << std::strerror(e) << "\n";
        return kIncomplete;
    }
    const ReplayReport report = resume ? resumeRun(*admitted, journal, verify) : undoRun(*admitted, journal);
    if (!report.journalError.empty()) {
        err_ << "dezoredu-cli: " << path << ": the journal cannot be written (" << report.journalError
             << "); stopped before the next file operation\n";
    }
    for (const std::string& left : report.leftAlone) {
        err_ << "dezoredu-cli: left alone: " << left << "\n";
    }
    JsonWriter summary;
    summary.text("summary", resume ? "resume" : "undo")
        .integer("steps", static_cast<std::int64_t>(run->steps.size()))
        .integer("done", report.done)
        .integer("checked", report.checked)
        .integer("failed", report.failed)
        .integer("leftAlone", static_cast<std::int64_t>(report.leftAlone.size()));
    out_ << summary.str() << '\n';
    bool complete = report.failed == 0 && report.leftAlone.empty() && report.journalError.empty();
    if (resume) {
        for (const JournalStep& step : run->steps) {
            complete = complete && step.state == JournalStep::State::Finished && isPlacedOutcome(step.outcome);
        }
    }
    return complete ? kDone : kIncomplete;
}

void TrustCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli trust JOURNAL --source FOLDER\n"
           "\n"
           "Takes a journal of your own that resume and undo refuse because it was written\n"
           "under another account or before your key was made anew. FOLDER is the run's\n"
           "source folder, named by you: the folder the journal names is never used. The\n"
           "journal must still lie in its run's own target folder, every path in it beneath\n"
           "that folder or FOLDER. A new journal telling the same run is written beside it,\n"
           "sealed with your key, and the old one is renamed to NAME.jsonl.adopted. Resume\n"
           "and undo of an adopted run never remove anything from the source folder: a\n"
           "move is finished as a copy.\n"
           "\n"
           "Prints the new journal's path. Exit status: 0 when the journal was taken, 1\n"
           "when it is refused or cannot be written, 2 on a usage error.\n";
}

int TrustCommand::run(const std::vector<std::string>& args) {
    std::string journalPath;
    std::string sourceFolder;
    bool wellFormed = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--source" && i + 1 < args.size() && sourceFolder.empty()) {
            sourceFolder = args[++i];
        } else if (!args[i].empty() && args[i].front() != '-' && journalPath.empty()) {
            journalPath = args[i];
        } else {
            wellFormed = false;
        }
    }
    if (!wellFormed || journalPath.empty() || sourceFolder.empty()) {
        printUsage(err_);
        return kUsageError;
    }
    std::string refusal;
    std::optional<AdmittedRun> foreign = admitForeignJournal(absolutePath(journalPath), absolutePath(sourceFolder), refusal);
    if (!foreign) {
        err_ << "dezoredu-cli: " << journalPath << ": refused, nothing was touched: " << refusal << "\n";
        return kRefused;
    }
    JournalTrust trust(userDataFolder());
    std::string adopted;
    int error = trust.loadKey(true);
    if (error == 0) {
        error = adoptJournal(*foreign, trust, adopted);
    }
    if (error != 0) {
        err_ << "dezoredu-cli: " << journalPath << ": cannot be taken: " << std::strerror(error) << "\n";
        return kRefused;
    }
    err_ << "dezoredu-cli: the run from " << foreign->run.sourceFolder << " into " << foreign->run.targetFolder
         << " is now yours; nothing will be removed from its source folder\n";
    out_ << adopted << '\n';
    return kDone;
}

}  // namespace dz
