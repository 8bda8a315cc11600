#include "ProcessCommand.h"

#include "CliHost.h"
#include "CameraClockOption.h"
#include "LoadedSession.h"

#include "platform/TimeZone.h"
#include "process/CProcess.h"

#include <map>

namespace dz {

namespace {

// What is wrong with a picture at its place in the target; empty when the
// file there is the picture, byte for byte: by its size and the hash the
// journal took of the picture's bytes as the run read them (a moved
// picture's source is gone, and a copy need not be read twice), else
// compared with its source.
std::string placeProblem(const PictureRecord& picture, const PlacedPicture& place, FileSystem& fileSystem,
                         PlacedCheck check) {
    if (check == PlacedCheck::Size) {
        std::uint64_t size = 0;
        return fileSystem.fileSize(place.target, size) && size == picture.size ? std::string() : "is not in album";
    }
    if (!place.moved && place.sha256.empty()) {
        bool same = false;
        if (!fileSystem.compareFiles(picture.path, place.target, same)) {
            return "cannot be compared with its copy in album";
        }
        return same ? std::string() : "differs from its copy in album";
    }
    std::uint64_t size = 0;
    if (!fileSystem.fileSize(place.target, size) || size != picture.size) {
        return "is not in album";
    }
    std::string sha256;
    if (!place.sha256.empty() && (!fileSystem.hashFile(place.target, sha256) || sha256 != place.sha256)) {
        return "differs from the picture the journal knows in album";
    }
    return {};
}

}  // namespace

void ProcessCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli process [--on-exists skip|overwrite|stop] [--on-error stop|continue]\n"
           "                            [--all-formats] [--verify] [--camera-clock MODEL=ZONE]...\n"
           "                            SESSION.fls\n"
           "\n"
           "Loads the session as File > Load Session does (the source folder is scanned\n"
           "again and must hold the same pictures; --all-formats rescans for every photo\n"
           "and video file \"All photos and videos\" takes, raw files and sidecars going\n"
           "with their pictures), then processes its albums into the\n"
           "session's target folder by copy or by move, as the session's settings say.\n"
           "--verify reads each copy back from the disk once it is written and compares\n"
           "it with the picture (\"Verify copies\"); a copy that differs is a failed write.\n"
           "Every prompt goes to standard error as \"caption: text [answer]\"; nothing waits\n"
           "for input. The status lines of the processing window go to standard output.\n"
           "\n"
           "  --on-exists skip       another file in a picture's place is kept (default); an\n"
           "                         existing album folder is used. A file with the\n"
           "                         picture's own bytes is done without asking\n"
           "  --on-exists overwrite  a file in a picture's place is put aside in the target's\n"
           "                         .dezoredu/replaced/<run>/, and undo puts it back\n"
           "  --on-exists stop       an existing album folder or picture gives up the album\n"
           "  --on-error stop        a failed file operation gives up its album and ends the\n"
           "                         run (default), so nothing more is written after it\n"
           "  --on-error continue    the picture is passed over (a move that fails is made a\n"
           "                         copy) and the run goes on with the next album\n"
        << kCameraClockUsage
        << "          (the session is put on one timeline; album ends follow their pictures)\n"
           "\n"
           "Exit status: 0 when every album of the session is processed and each of their\n"
           "pictures is in the target with its own bytes, 1 otherwise (also when the\n"
           "session cannot be loaded, names no target folder, or there is not enough\n"
           "space), 2 on a usage error. The run's journal is kept under\n"
           "TARGET/.dezoredu/journal/ for resume and undo.\n";
}

bool ProcessCommand::readArguments(const std::vector<std::string>& words, PromptPolicy& policy,
                                   std::string& sessionPath, bool& allFormats, bool& verify) {
    std::vector<std::string> args;
    if (!takeCameraClockOptions(words, clocks_, args, err_)) {
        return false;
    }
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            paths.push_back(arg);
            continue;
        }
        if (arg == "--all-formats") {
            allFormats = true;
            continue;
        }
        if (arg == "--verify") {
            verify = true;
            continue;
        }
        if (!isPolicyOption(arg)) {
            err_ << "dezoredu-cli: unknown option " << arg << "\n";
            return false;
        }
        if (i + 1 == args.size()) {
            err_ << "dezoredu-cli: " << arg << " needs a value\n";
            return false;
        }
        if (!takePolicyOption(arg, args[++i], policy, err_)) {
            return false;
        }
    }
    if (paths.size() != 1) {
        return false;
    }
    sessionPath = paths[0];
    return true;
}

int ProcessCommand::run(const std::vector<std::string>& args) {
    PromptPolicy policy;
    std::string sessionPath;
    bool allFormats = false;
    bool verify = false;
    if (!readArguments(args, policy, sessionPath, allFormats, verify)) {
        printUsage(err_);
        return kUsageError;
    }
    CliHost host(err_, policy);
    LoadedSession session(host, fileSystem_);
    if (allFormats) {
        session.state().pictureFiles = PictureFiles::AllFormats;
    }
    if (!session.load(sessionPath)) {
        err_ << "dezoredu-cli: session not loaded: " << sessionPath << "\n";
        return kIncomplete;
    }
    if (verify) {
        session.state().verifyCopies = true;
    }
    applyCameraClocks(clocks_, session.state());
    const int status = processSessionAlbums(session, out_, err_);
    out_.flush();
    return status;
}

int processSessionAlbums(LoadedSession& session, std::ostream& out, std::ostream& err, PlacedCheck check) {
    AppState& state = session.state();
    // The main window's Process command refuses these two before its window opens.
    if (state.albums.empty()) {
        err << "dezoredu-cli: There is no albums defined! Please create at least one album.\n";
        return ProcessCommand::kIncomplete;
    }
    if (state.texts.targetFolder == kNotSelected || state.processTargetPath.empty()) {
        err << "dezoredu-cli: the session has no target folder (" << kNotSelected << ")\n";
        return ProcessCommand::kIncomplete;
    }

    std::vector<bool> processedBefore;
    for (const Album& album : state.albums) {
        processedBefore.push_back(album.isProcessed != 0);
    }
    const Settings& s = state.settings;
    ProcessJob job{state.albums, session.catalogue(), state.processTargetPath, s.moveFiles != 0,
                   NameFormats{s.dateFormatIndex, s.timeFormatIndex, currentTimeZone().totalBiasMinutes()}, true,
                   state.texts.sourceFolder, state.dataFolder, state.verifyCopies};
    CProcess window(session.window().host(), state.fileSystem, job);
    window.onInit();
    if (window.control(CProcess::kProcess).enabled) {
        window.onCommand(CProcess::kProcess);
    }
    out << window.control(CProcess::kProcessStatus).text << '\n'
         << window.control(CProcess::kProcessHint).text << '\n';

    // Every picture of an album processed now must be at its place with its
    // own bytes: a prompt answered No or an error passed over leaves the
    // album processed without it.
    std::map<std::string, const PlacedPicture*> placed;
    for (const PlacedPicture& p : window.placedPictures()) {
        placed[p.source] = &p;
    }
    bool complete = true;
    for (std::size_t i = 0; i < state.albums.size(); ++i) {
        const Album& album = state.albums[i];
        if (album.isProcessed == 0) {
            complete = false;
            continue;
        }
        if (processedBefore[i]) {
            continue;
        }
        for (const PictureRecord& picture : job.catalogue) {
            if (picture.albumId != album.id) {
                continue;
            }
            const auto found = placed.find(picture.path);
            const std::string problem = found == placed.end() || !found->second->inPlace
                                            ? std::string("is not in album")
                                            : placeProblem(picture, *found->second, state.fileSystem, check);
            if (!problem.empty()) {
                err << "dezoredu-cli: " << picture.path << " " << problem << " '" << album.name << "'";
                if (found != placed.end()) {
                    err << " (" << found->second->target << ")";
                }
                err << "\n";
                complete = false;
            }
        }
    }
    return complete ? ProcessCommand::kDone : ProcessCommand::kIncomplete;
}

}  // namespace dz
