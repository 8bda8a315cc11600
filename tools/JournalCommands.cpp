#include "JournalCommands.h"

#include "CliHost.h"
#include "CommandWords.h"
#include "LoadedSession.h"

#include "journal/JournalReader.h"
#include "journal/JournalReplay.h"
#include "journal/JsonWriter.h"
#include "journal/RunJournal.h"
#include "platform/TimeZone.h"
#include "process/RunPlan.h"

#include <cstring>

namespace dz {

void PlanCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli plan SESSION.fls\n"
           "\n"
           "Loads the session as File > Load Session does and prints what processing it\n"
           "would do, writing nothing: one JSON object a line per picture of the albums\n"
           "still to process, with \"source\", \"target\", \"action\" (copy, move,\n"
           "already-there, renamed-for-clash, asks-overwrite or refused) and \"reason\",\n"
           "then a summary line with the pictures, bytes, new folders, clashes, and the\n"
           "space needed and free on the target.\n"
           "\n"
           "Exit status: 0 when the plan was made, 1 when the session was not loaded or\n"
           "names no target, 2 on a usage error.\n";
}

int PlanCommand::run(const std::vector<std::string>& args) {
    const std::optional<std::string> sessionPath = soleOperand(splitCommandWords(args), err_);
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
    if (state.processTargetPath.empty()) {
        err_ << "dezoredu-cli: the session has no target folder\n";
        return kNotLoaded;
    }
    const Settings& s = state.settings;
    const ProcessJob job{state.albums, session.catalogue(), state.processTargetPath, s.moveFiles != 0,
                         NameFormats{s.dateFormatIndex, s.timeFormatIndex, currentTimeZone().totalBiasMinutes()}};
    const RunPlan plan = planRun(job, fileSystem_);
    for (const PlannedPicture& p : plan.pictures) {
        JsonWriter line;
        line.text("source", p.source).text("target", p.target).text("action", actionName(p.action));
        if (!p.reason.empty()) {
            line.text("reason", p.reason);
        }
        out_ << line.integer("album", p.albumId).unsignedInteger("size", p.size).str() << '\n';
    }
    std::uint64_t free = 0;
    const bool freeKnown = fileSystem_.freeSpace(state.processTargetPath, free);
    JsonWriter summary;
    summary.text("summary", "plan")
        .integer("pictures", plan.pictureCount())
        .unsignedInteger("bytes", plan.bytes)
        .integer("newFolders", static_cast<std::int64_t>(plan.newFolders.size()))
        .integer("clashes", plan.clashes)
        .unsignedInteger("spaceNeeded", plan.bytes);
    if (freeKnown) {
        summary.unsignedInteger("spaceFree", free);
    }
    out_ << summary.str() << '\n';
    return kDone;
}

void JournalCommand::printUsage(Kind kind, std::ostream& err) {
    if (kind == Kind::Resume) {
        err << "usage: dezoredu-cli resume JOURNAL\n"
               "\n"
               "Finishes an interrupted processing run from its journal alone (the file under\n"
               "TARGET/.dezoredu/journal/): steps done are checked and passed over, a step cut\n"
               "short is completed or redone, the others are carried out. Nothing is replaced:\n"
               "a different file in a picture's place sends the picture to a free name.\n"
               "\n"
               "Exit status: 0 when every picture of the run is in place, 1 otherwise, 2 on a\n"
               "usage error.\n";
        return;
    }
    err << "usage: dezoredu-cli undo JOURNAL\n"
           "\n"
           "Takes a processing run back from its journal: moved pictures go back to their\n"
           "source paths, copies are removed, folders the run made are removed when empty.\n"
           "A file whose bytes changed since the run, or a source path taken since, is left\n"
           "alone and listed. Works on a run that was itself interrupted.\n"
           "\n"
           "Exit status: 0 when everything went back, 1 when something was left alone or\n"
           "failed, 2 on a usage error.\n";
}

int JournalCommand::run(const std::vector<std::string>& args) {
    const std::optional<std::string> journalPath = soleOperand(splitCommandWords(args), err_);
    if (!journalPath) {
        printUsage(kind_, err_);
        return kUsageError;
    }
    const std::string& path = *journalPath;
    std::string error;
    std::optional<RunRecord> run = readJournal(fileSystem_, path, error);
    if (!run) {
        err_ << "dezoredu-cli: " << path << ": " << error << "\n";
        return kIncomplete;
    }
    if (run->undone) {
        err_ << "dezoredu-cli: " << path << ": this run was undone already\n";
        return kIncomplete;
    }
    const bool resume = kind_ == Kind::Resume;
    RunJournal journal;
    if (const int e = journal.reopen(path, resume ? "resume" : "undo")) {
        err_ << "dezoredu-cli: " << path << ": cannot be written: " << std::strerror(e) << "\n";
        return kIncomplete;
    }
    const ReplayReport report = resume ? resumeRun(*run, journal, fileSystem_) : undoRun(*run, journal, fileSystem_);
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
    bool complete = report.failed == 0 && report.leftAlone.empty();
    if (resume) {
        for (const JournalStep& step : run->steps) {
            complete = complete && step.state == JournalStep::State::Finished &&
                       (step.outcome == "copied" || step.outcome == "moved" || step.outcome == "already-there");
        }
    }
    return complete ? kDone : kIncomplete;
}

}  // namespace dz
