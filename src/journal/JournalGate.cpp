// The gate every journal read from disk passes before anything is done by it.
#include "journal/JournalGate.h"

#include "journal/JournalFolder.h"
#include "journal/JournalReader.h"
#include "journal/JsonValue.h"
#include "journal/RunJournal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

constexpr std::string_view kSealStart = ",\"mac\":\"";
constexpr std::size_t kSealHex = 64;
constexpr const char* kAnotherKey = "it was not written by this user's program (or before its key was made anew)";
constexpr const char* kNoKey = "this user's program has no journal key";

// Splits a sealed line into its body and seal; false for a line without one
// (a line cut short).
bool splitSeal(std::string_view line, std::string& body, std::string& seal) {
    const std::size_t tail = kSealStart.size() + kSealHex + 2;
    if (line.size() < tail + 1 || line.substr(line.size() - 2) != "\"}" ||
        line.substr(line.size() - tail, kSealStart.size()) != kSealStart) {
        return false;
    }
    seal = std::string(line.substr(line.size() - kSealHex - 2, kSealHex));
    body = std::string(line.substr(0, line.size() - tail)) + "}";
    return true;
}

bool isOwnFolderPath(const std::string& relative) {
    return relative == ".dezoredu" || relative.rfind(".dezoredu/", 0) == 0;
}

// Every path the run names lies beneath its folders, and none of the
// target's side in the program's own folder, but for files put aside there.
bool pathsInBounds(const RunRecord& run, std::string& refusal) {
    auto bad = [&refusal](const std::string& path) {
        refusal = "it names a path outside its folders: " + path;
        return false;
    };
    for (const JournalStep& step : run.steps) {
        for (const std::string* path : {&step.source, &step.target, &step.placedAt}) {
            if (path->empty() && path == &step.placedAt) {
                continue;
            }
            const bool inTarget = path != &step.source || step.sourceInTarget;
            if (!RootedFolder::isCleanRelative(*path) || (inTarget && isOwnFolderPath(*path))) {
                return bad(*path);
            }
        }
        if (!step.keptAt.empty() &&
            (!RootedFolder::isCleanRelative(step.keptAt) || step.keptAt.rfind(".dezoredu/replaced/", 0) != 0)) {
            return bad(step.keptAt);
        }
    }
    for (const std::string& folder : run.foldersCreated) {
        if (!RootedFolder::isCleanRelative(folder) || isOwnFolderPath(folder)) {
            return bad(folder);
        }
    }
    return true;
}

// Reads the journal's lines one at a time, each checked against the chain.
class ChainReader {
public:
    // `foreign`: the seals are another key's; they only tell a whole line from a cut one.
    ChainReader(const JournalTrust& trust, RunRecord& run, bool foreign)
        : trust_(trust), run_(run), foreign_(foreign) {}

    bool read(int fd, std::string& refusal) {
        std::string pending;
        char chunk[65536];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                refusal = std::string("it cannot be read: ") + std::strerror(errno);
                return false;
            }
            if (n == 0) {
                break;
            }
            pending.append(chunk, static_cast<std::size_t>(n));
            std::size_t start = 0;
            for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n', start)) {
                if (!takeLine(std::string_view(pending).substr(start, end - start), refusal)) {
                    return false;
                }
                start = end + 1;
            }
            pending.erase(0, start);
            if (pending.size() > kJournalMaxLine) {
                refusal = "line " + std::to_string(physical_ + 1) + " is longer than " +
                          std::to_string(kJournalMaxLine) + " bytes";
                return false;
            }
        }
        run_.tornEnd = !pending.empty();
        if (!pending.empty() && !takeLine(pending, refusal)) {
            return false;
        }
        if (run_.lines == 0) {
            refusal = "it holds no sealed line";
            return false;
        }
        return true;
    }

private:
    bool takeLine(std::string_view line, std::string& refusal) {
        ++physical_;
        if (line.empty()) {
            return true;
        }
        if (line.size() > kJournalMaxLine) {
            refusal = "line " + std::to_string(physical_) + " is too long";
            return false;
        }
        std::string body;
        std::string seal;
        // A line cut short by a crash or a full disk carries no seal; it
        // stands for nothing, and the lines after it chain past it. Cut
        // before its seal's closing brace, it never reads as a whole object:
        // a whole line without a seal was put there by hand.
        if (!splitSeal(line, body, seal)) {
            const std::optional<JsonValue> whole = parseJson(line);
            if (whole && whole->kind == JsonValue::Kind::Object) {
                refusal = "line " + std::to_string(physical_) + " carries no seal: it was added by hand";
                return false;
            }
            return true;
        }
        std::string reason;
        const std::optional<JsonValue> value = parseJson(body, &reason);
        if (!value || value->kind != JsonValue::Kind::Object) {
            refusal = "line " + std::to_string(physical_) + " does not read: " + reason;
            return false;
        }
        if (run_.lines == 0) {
            run_.runId = value->textOr("run");
            if (!JournalTrust::isRunId(run_.runId)) {
                refusal = "its first line names no run";
                return false;
            }
        }
        const int number = run_.lines + 1;
        if (!foreign_ && trust_.seal(run_.runId, number, run_.lastSeal, body) != seal) {
            refusal = number == 1 ? std::string(kAnotherKey)
                                  : "line " + std::to_string(physical_) + " was changed, moved or added by hand";
            return false;
        }
        std::string error;
        if (!applyJournalLine(run_, *value, number, error)) {
            refusal = "line " + std::to_string(physical_) + ": " + error;
            return false;
        }
        run_.lines = number;
        run_.lastSeal = seal;
        if (number == 1 && !foreign_ && !readMark(refusal)) {
            return false;
        }
        if (number == markLines_) {
            sealAtMark_ = seal;
        }
        return true;
    }

    bool readMark(std::string& refusal) {
        RunMark mark;
        const int error = trust_.readMark(run_.runId, mark);
        if (error != 0) {
            refusal = error == ENOENT ? "this user's program keeps no record of its run"
                                      : "the record of its run cannot be read";
            return false;
        }
        markLines_ = mark.lines;
        markSeal_ = mark.mac;
        return true;
    }

public:
    bool behindMark() const { return run_.lines < markLines_ || sealAtMark_ != markSeal_; }

private:
    const JournalTrust& trust_;
    RunRecord& run_;
    bool foreign_ = false;
    int physical_ = 0;
    int markLines_ = 0;
    std::string markSeal_;
    std::string sealAtMark_;
};

// The target folder a journal path lies in: PATH = TARGET/.dezoredu/journal/NAME.jsonl.
bool targetOfJournal(const std::string& path, std::string& target, std::string& name) {
    const std::string below = std::string("/") + RunJournal::kFolderBelowTarget + "/";
    const std::size_t at = path.rfind(below);
    if (at == std::string::npos || path.find('/', at + below.size()) != std::string::npos) {
        return false;
    }
    target = at == 0 ? std::string("/") : path.substr(0, at);
    name = path.substr(at + below.size());
    return name.size() > 6 && name.compare(name.size() - 6, 6, ".jsonl") == 0 && name.front() != '.';
}

}  // namespace

namespace {

// Both ways in: `adoptedSource` empty for a journal of this user's key, else
// the source folder the user names for a journal written under another key.
std::optional<AdmittedRun> admit(const std::string& path, const JournalTrust& trust, const std::string& adoptedSource,
                                 std::string& refusal) {
    const bool foreign = !adoptedSource.empty();
    AdmittedRun admitted;
    RunRecord& run = admitted.run;
    std::string name;
    if (!targetOfJournal(path, run.targetFolder, name)) {
        refusal = "it is not a journal in a target's .dezoredu/journal folder";
        return std::nullopt;
    }
    if (!foreign && !trust.hasKey()) {
        refusal = kNoKey;
        return std::nullopt;
    }
    if (admitted.target.open(run.targetFolder) != 0) {
        refusal = "its target folder cannot be opened: " + run.targetFolder;
        return std::nullopt;
    }
    int folderFd = -1;
    if (openOwnFolder(admitted.target, RunJournal::kFolderBelowTarget, false, folderFd) != 0) {
        refusal = "its folder is a link, or not this user's";
        return std::nullopt;
    }
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    ::close(folderFd);
    if (fd < 0) {
        refusal = std::string("it cannot be opened: ") + std::strerror(errno);
        return std::nullopt;
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!regular || static_cast<std::uint64_t>(st.st_size) > kJournalMaxBytes) {
        ::close(fd);
        refusal = regular ? "it is larger than 2 GiB" : "it is not a regular file";
        return std::nullopt;
    }
    ChainReader reader(trust, run, foreign);
    const bool read = reader.read(fd, refusal);
    ::close(fd);
    if (!read) {
        return std::nullopt;
    }
    run.path = admitted.target.path() + "/" + RunJournal::kFolderBelowTarget + "/" + name;
    if (!planComplete(run)) {
        refusal = "its plan is cut short";
        return std::nullopt;
    }
    if (!foreign && reader.behindMark()) {
        refusal = "it is behind this user's record of its run: lines were cut off or it was put back";
        return std::nullopt;
    }
    if (!pathsInBounds(run, refusal)) {
        return std::nullopt;
    }
    if (!admitted.target.stamp().matches(run.targetStamp)) {
        refusal = "the folder it lies in is not the target folder of its run";
        return std::nullopt;
    }
    if (foreign) {
        // The user's word names the source; nothing is taken from the journal's.
        if (admitted.source.open(adoptedSource) != 0) {
            refusal = "the source folder " + adoptedSource + " cannot be opened";
            return std::nullopt;
        }
        run.sourceFolder = admitted.source.path();
        run.sourceStamp = admitted.source.stamp();
        run.adopted = true;
        return admitted;
    }
    // A source folder that could not be opened when the run began stays closed.
    if (run.sourceStamp.inode != 0 && admitted.source.open(run.sourceFolder) == 0 &&
        !admitted.source.stamp().matches(run.sourceStamp)) {
        refusal = "the folder " + run.sourceFolder + " is not the source folder of its run";
        return std::nullopt;
    }
    return admitted;
}

}  // namespace

std::optional<AdmittedRun> admitJournal(const std::string& path, const JournalTrust& trust, std::string& refusal,
                                        bool* anotherKey) {
    std::optional<AdmittedRun> admitted = admit(path, trust, {}, refusal);
    if (anotherKey != nullptr) {
        // Read again as another key's: well-formed and in its own target otherwise.
        std::string ignored;
        *anotherKey = !admitted && (refusal == kAnotherKey || refusal == kNoKey) &&
                      admit(path, JournalTrust(std::string()), "/", ignored).has_value();
    }
    return admitted;
}

std::optional<AdmittedRun> admitForeignJournal(const std::string& path, const std::string& sourceFolder,
                                               std::string& refusal) {
    if (sourceFolder.empty()) {
        refusal = "no source folder was named";
        return std::nullopt;
    }
    const JournalTrust none{std::string()};
    return admit(path, none, sourceFolder, refusal);
}

}  // namespace dz
