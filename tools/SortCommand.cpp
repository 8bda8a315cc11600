#include "SortCommand.h"

#include "CameraClockOption.h"
#include "CliHost.h"
#include "LoadedSession.h"
#include "ProcessCommand.h"
#include "RunPlanLines.h"
#include "SortAlbums.h"

#include "app/SessionOfState.h"
#include "journal/TargetLedger.h"
#include "platform/FileIdentity.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace dz {

namespace {

constexpr double kMostGapHours = 24.0 * 366;

std::optional<SuggestMode> modeNamed(const std::string& word) {
    if (word == "event") {
        return SuggestMode::Events;
    }
    if (word == "day") {
        return SuggestMode::Days;
    }
    if (word == "month") {
        return SuggestMode::Months;
    }
    if (word == "place") {
        return SuggestMode::Places;
    }
    return std::nullopt;
}

std::optional<double> hoursNamed(const std::string& word) {
    char* end = nullptr;
    const double hours = std::strtod(word.c_str(), &end);
    if (word.empty() || end != word.c_str() + word.size() || !std::isfinite(hours) || hours <= 0 ||
        hours > kMostGapHours) {
        return std::nullopt;
    }
    return hours;
}

// The folder as an absolute path: the journal names the run's folders so,
// and undo must find them from any working folder.
std::string absoluteFolder(const std::string& folder) {
    std::error_code error;
    std::string path = std::filesystem::absolute(folder, error).lexically_normal().string();
    if (error) {
        return folder;
    }
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// Whether `inner` is `outer` or a folder below it, links resolved: a target
// inside the source would be scanned as pictures to sort.
bool isWithin(const std::string& inner, const std::string& outer) {
    std::error_code error;
    const auto a = std::filesystem::weakly_canonical(inner, error);
    if (error) {
        return false;
    }
    const auto b = std::filesystem::weakly_canonical(outer, error);
    if (error) {
        return false;
    }
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty()) {
            continue;  // the trailing separator's empty level
        }
        if (ai == a.end() || *ai != *bi) {
            return false;
        }
    }
    return true;
}

}  // namespace

void SortCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli sort [--by event|day|month|place] [--gap HOURS] [--move]\n"
           "                         [--camera-clock MODEL=ZONE]... [--dry-run | --session FILE]\n"
           "                         [--on-exists skip|overwrite|stop] [--on-error stop|continue]\n"
           "                         [--verify] SOURCE TARGET\n"
           "\n"
           "Sorts a card or a phone's folder into albums under TARGET in one go: scans\n"
           "SOURCE for every photo and video (\"All photos and videos\"), leaves out the\n"
           "pictures the target's journals say were sorted there before (by their bytes,\n"
           "even renamed, copied elsewhere or re-dated; a picture deleted from the target\n"
           "since is not brought back), puts a picture whose moment falls within an album\n"
           "of the target, or within the event gap of its ends, into that album's folder,\n"
           "proposes albums for the others as Suggest Albums does, and processes them with\n"
           "the journal, so `dezoredu-cli undo` takes the run back. Pictures are named by\n"
           "their place in their album. Prompts are answered as `process` answers them.\n"
           "\n"
           "  --by event        a pause longer than the gap, or a long move, starts an album\n"
           "                    (default)\n"
           "  --by day          a day at the place of the shots, until 04:00 the next morning\n"
           "  --by month        a month\n"
           "  --by place        a stay at one place\n"
           "  --gap HOURS       the pause that starts an event (default 12)\n"
           "  --move            moves the pictures (default: copies them)\n"
           "  --dry-run         prints the plan as `plan` does and writes nothing\n"
           "  --session FILE    writes the proposed albums as a session to review in the\n"
           "                    program, instead of processing\n"
           "  --verify, --on-exists, --on-error   as for `process`\n"
        << kCameraClockUsage
        << "\n"
           "Exit status: 0 when every picture new to the target is in its album (or the\n"
           "plan or session was written), 1 otherwise (also when SOURCE cannot be read or\n"
           "TARGET lies within it), 2 on a usage error.\n";
}

std::optional<SortWords> SortCommand::readWords(const std::vector<std::string>& args) {
    SortWords words;
    std::vector<std::string> rest;
    if (!takeCameraClockOptions(args, words.clocks, rest, err_)) {
        return std::nullopt;
    }
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--move" || arg == "--dry-run" || arg == "--verify") {
            (arg == "--move" ? words.move : arg == "--dry-run" ? words.dryRun : words.verify) = true;
            continue;
        }
        if (arg != "--by" && arg != "--gap" && arg != "--session" && !isPolicyOption(arg)) {
            err_ << "dezoredu-cli: unknown option " << arg << "\n";
            return std::nullopt;
        }
        if (i + 1 == rest.size()) {
            err_ << "dezoredu-cli: " << arg << " needs a value\n";
            return std::nullopt;
        }
        const std::string& value = rest[++i];
        if (arg == "--by") {
            const auto mode = modeNamed(value);
            if (!mode) {
                err_ << "dezoredu-cli: --by takes event, day, month or place, not " << value << "\n";
                return std::nullopt;
            }
            words.suggest.mode = *mode;
        } else if (arg == "--gap") {
            const auto hours = hoursNamed(value);
            if (!hours) {
                err_ << "dezoredu-cli: --gap takes a number of hours above 0, up to a year, not " << value << "\n";
                return std::nullopt;
            }
            words.suggest.events.gapHours = *hours;
        } else if (arg == "--session") {
            words.sessionPath = value;
        } else if (!takePolicyOption(arg, value, words.policy, err_)) {
            return std::nullopt;
        }
    }
    if (operands.size() != 2) {
        return std::nullopt;
    }
    if (words.dryRun && !words.sessionPath.empty()) {
        err_ << "dezoredu-cli: --dry-run and --session cannot go together\n";
        return std::nullopt;
    }
    words.source = absoluteFolder(operands[0]);
    words.target = absoluteFolder(operands[1]);
    return words;
}

int SortCommand::run(const std::vector<std::string>& args) {
    const std::optional<SortWords> words = readWords(args);
    if (!words) {
        printUsage(err_);
        return kUsageError;
    }
    std::vector<DirEntry> none;
    if (!fileSystem_.listDirectory(words->source, "", none)) {
        err_ << "dezoredu-cli: the source folder cannot be read: " << words->source << "\n";
        return kIncomplete;
    }
    if (isWithin(words->target, words->source)) {
        err_ << "dezoredu-cli: the target folder lies within the source folder: " << words->target << "\n";
        return kIncomplete;
    }
    const bool writes = !words->dryRun && words->sessionPath.empty();
    if (fileSystem_.exists(words->target)) {
        if (!fileSystem_.listDirectory(words->target, "", none)) {
            err_ << "dezoredu-cli: the target is not a folder that can be read: " << words->target << "\n";
            return kIncomplete;
        }
    } else if (writes && !fileSystem_.createDirectory(words->target)) {
        err_ << "dezoredu-cli: the target folder cannot be made: " << words->target << "\n";
        return kIncomplete;
    }

    CliHost host(err_, words->policy);
    LoadedSession session(host, fileSystem_);
    AppState& state = session.state();
    state.pictureFiles = PictureFiles::AllFormats;
    state.settings.moveFiles = words->move ? 1 : 0;
    state.verifyCopies = state.verifyCopies || words->verify;
    session.scan(words->source);
    applyCameraClocks(words->clocks, state);
    state.texts.targetFolder = words->target;
    state.processTargetPath = words->target;

    JournalTrust trust(state.dataFolder);
    trust.loadKey(false);
    TargetLedger ledger = TargetLedger::ofTarget(words->target, trust);
    for (const std::string& refusal : ledger.refusals()) {
        err_ << "dezoredu-cli: journal passed over: " << refusal << "\n";
    }
    SuggestSettings suggest = words->suggest;
    suggest.dateFormatIndex = state.settings.dateFormatIndex;
    const SortAlbumsReport report = makeSortAlbums(state, host, ledger, suggest, err_);
    std::ostream& said = words->dryRun ? err_ : out_;
    if (report.alreadyInTarget > 0) {
        said << alreadyInTargetText(report.alreadyInTarget) << "\n";
    }

    if (words->dryRun) {
        const Settings& s = state.settings;
        const ProcessJob job{state.albums, session.catalogue(), state.processTargetPath, s.moveFiles != 0,
                             NameFormats{s.dateFormatIndex, s.timeFormatIndex, currentTimeZone().totalBiasMinutes()},
                             false, state.texts.sourceFolder, state.dataFolder};
        printRunPlan(job, fileSystem_, out_, report.alreadyInTarget);
        return kDone;
    }
    if (!words->sessionPath.empty()) {
        if (!fileSystem_.writeFile(words->sessionPath, writeSession(takeSession(state)))) {
            err_ << "dezoredu-cli: the session could not be written: " << words->sessionPath << "\n";
            return kIncomplete;
        }
        out_ << report.albums << (report.albums == 1 ? " album" : " albums") << " written to " << words->sessionPath
             << "\n";
        return kDone;
    }
    if (state.albums.empty()) {
        out_ << "Nothing new to sort.\n";
        return kDone;
    }
    const int status = processSessionAlbums(session, out_, err_, PlacedCheck::Size);
    out_.flush();
    return status;
}

}  // namespace dz
