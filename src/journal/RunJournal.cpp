#include "journal/RunJournal.h"

#include "journal/JournalFolder.h"
#include "journal/JsonWriter.h"
#include "platform/WorkingFolder.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

void stepJson(JsonWriter& json, const JournalStep& step) {
    json.text("event", "step")
        .integer("step", step.number)
        .integer("album", step.albumId)
        .text("source", step.source)
        .text("target", step.target)
        .unsignedInteger("size", step.size);
    if (step.sourceInTarget) {
        json.boolean("sourceInTarget", true);
    }
    if (step.travelling) {
        json.boolean("travelling", true);
    }
    // A move's source as planned: a rename to the planned place is known
    // again by it, so its start line need not reach the disk first.
    if (step.identity.inode != 0) {
        json.raw("identity", identityJson(step.identity));
    }
}

// The journal's file name: the UTC time first, to the millisecond, so names
// sort as runs started, two runs in one second included.
std::string journalName(const std::string& runId) {
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm utc {};
    ::gmtime_r(&now.tv_sec, &utc);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H-%M-%S", &utc);
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03ldZ", now.tv_nsec / 1000000);
    return std::string(stamp) + millis + "-" + std::to_string(::getpid()) + "-" + runId.substr(0, 8) + ".jsonl";
}

}  // namespace

std::string utcTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm utc {};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string stampJson(const FolderStamp& stamp) {
    return JsonWriter()
        .text("fs", std::to_string(stamp.fileSystem))
        .text("dev", std::to_string(stamp.device))
        .text("ino", std::to_string(stamp.inode))
        .str();
}

std::string identityJson(const FileIdentity& identity) {
    return JsonWriter()
        .text("dev", std::to_string(identity.device))
        .text("ino", std::to_string(identity.inode))
        .text("size", std::to_string(identity.size))
        .text("mtime", std::to_string(identity.modifiedNs))
        .str();
}

std::string RunJournal::folderFor(const std::string& targetFolder) {
    return targetFolder + "/" + kFolderBelowTarget;
}

int RunJournal::openFolder(const RunRecord& run, const JournalTrust& trust, bool create, RootedFolder& target,
                           int& folderFd) {
    close();
    if (!trust.hasKey()) {
        return ENOKEY;
    }
    if (const int error = target.open(run.targetFolder)) {
        return error;
    }
    return openOwnFolder(target, kFolderBelowTarget, create, folderFd);
}

namespace {

// Resume and undo start from any working folder, and the journal gate takes
// only absolute folders: a run given relative ones names them from here.
std::string fromHere(const std::string& folder) {
    if (folder.empty() || folder.front() == '/') {
        return folder;
    }
    const std::string here = currentDirectory();
    return here.empty() ? folder : (here == "/" ? "" : here) + "/" + folder;
}

}  // namespace

int RunJournal::begin(RunRecord& run, const JournalTrust& trust) {
    run.sourceFolder = fromHere(run.sourceFolder);
    run.targetFolder = fromHere(run.targetFolder);
    RootedFolder target;
    int folderFd = -1;
    if (const int error = openFolder(run, trust, true, target, folderFd)) {
        return error;
    }
    run.targetStamp = target.stamp();
    RootedFolder source;
    if (source.open(run.sourceFolder) == 0) {
        run.sourceStamp = source.stamp();
    }
    run.runId = JournalTrust::newRunId();
    run.pid = ::getpid();
    run.startedAt = utcTimeText();
    const std::string name = journalName(run.runId);
    const int fd = ::openat(folderFd, name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            0600);
    if (fd < 0) {
        const int error = errno;
        ::close(folderFd);
        return error;
    }
    run.path = folderFor(target.path()) + "/" + name;
    file_.adopt(fd, folderFd, run.path);
    trust_ = &trust;
    runId_ = run.runId;
    lines_ = 0;
    lastSeal_.clear();
    markedLines_ = 0;

    JsonWriter head;
    head.text("event", "plan")
        .integer("version", 2)
        .text("run", run.runId)
        .integer("pid", run.pid)
        .text("time", run.startedAt)
        .text("mode", run.move ? "move" : "copy")
        .text("source", run.sourceFolder)
        .raw("sourceStamp", stampJson(run.sourceStamp))
        .text("target", run.targetFolder)
        .raw("targetStamp", stampJson(run.targetStamp))
        .integer("steps", static_cast<std::int64_t>(run.steps.size()));
    if (run.adopted) {
        head.boolean("adopted", true);
    }
    if (const int error = write(head, LineWay::Held)) {
        return error;
    }
    for (const JournalStep& step : run.steps) {
        JsonWriter line;
        stepJson(line, step);
        if (const int error = write(line, LineWay::Held)) {
            return error;
        }
    }
    // The plan is flushed once, with the user's record of the run.
    return seal();
}

int RunJournal::reopen(RunRecord& run, const JournalTrust& trust, const std::string& kind) {
    RootedFolder target;
    int folderFd = -1;
    if (const int error = openFolder(run, trust, false, target, folderFd)) {
        return error;
    }
    const std::string name = run.path.substr(run.path.rfind('/') + 1);
    const int fd = ::openat(folderFd, name.c_str(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        const int error = fd < 0 ? errno : EACCES;
        if (fd >= 0) {
            ::close(fd);
        }
        ::close(folderFd);
        return error;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file_.adopt(fd, folderFd, run.path);
    trust_ = &trust;
    runId_ = run.runId;
    lines_ = run.lines;
    lastSeal_ = run.lastSeal;
    markedLines_ = 0;
    // A line cut short by a crash is closed, so this one is read as a line of its own.
    char last = '\n';
    if (st.st_size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n') {
        if (::write(fd, "\n", 1) != 1) {
            return errno;
        }
    }
    run.tornEnd = false;
    const int error = write(JsonWriter().text("event", "open").text("kind", kind).integer("pid", ::getpid())
                                .text("time", utcTimeText()),
                            LineWay::Written);
    return error != 0 ? error : seal();
}

int RunJournal::stepStarted(const JournalStep& step, LineWay way) {
    JsonWriter line;
    line.text("event", "start")
        .integer("step", step.number)
        .text("target", step.place())
        .unsignedInteger("size", step.size)
        .text("action", step.move ? "move" : "copy")
        .boolean("replace", step.replace);
    if (!step.sha256.empty()) {
        line.text("sha256", step.sha256);
    }
    if (step.identity.inode != 0) {
        line.raw("identity", identityJson(step.identity));
    }
    return write(line, way);
}

int RunJournal::stepCopied(int number, const std::string& sha256) {
    return write(JsonWriter().text("event", "copied").integer("step", number).text("sha256", sha256), LineWay::Flushed);
}

int RunJournal::fileKept(int number, const std::string& keptAt) {
    return write(JsonWriter().text("event", "kept").integer("step", number).text("keptAt", keptAt), LineWay::Flushed);
}

int RunJournal::stepFinished(int number, const std::string& outcome, const std::string& sha256) {
    JsonWriter line;
    line.text("event", "done").integer("step", number).text("outcome", outcome);
    if (!sha256.empty()) {
        line.text("sha256", sha256);
    }
    // Held for the next group: a step done but not known to be is checked
    // again by a resume, which is safe.
    return write(line, LineWay::Held);
}

int RunJournal::stepUndone(int number, const std::string& outcome) {
    return write(JsonWriter().text("event", "undo-step").integer("step", number).text("outcome", outcome), LineWay::Flushed);
}

int RunJournal::folderCreated(const std::string& folder) {
    return write(JsonWriter().text("event", "folder").text("path", folder), LineWay::Flushed);
}

int RunJournal::folderRemoved(const std::string& folder) {
    return write(JsonWriter().text("event", "folder-removed").text("path", folder), LineWay::Written);
}

int RunJournal::albumDone(int albumId) {
    return write(JsonWriter().text("event", "album").integer("album", albumId), LineWay::Held);
}

int RunJournal::ended(const std::string& event, const std::string& status) {
    const int error =
        write(JsonWriter().text("event", event).text("time", utcTimeText()).text("status", status), LineWay::Written);
    return error != 0 ? error : seal();
}

int RunJournal::flush() {
    return file_.flush();
}

int RunJournal::seal() {
    if (const int error = file_.flush()) {
        return error;
    }
    if (markedLines_ == lines_ || trust_ == nullptr) {
        return 0;
    }
    // The record follows the lines that are on the disk: a journal found
    // behind it later has lost lines, and is refused.
    if (const int error = trust_->writeMark(runId_, RunMark{lines_, lastSeal_})) {
        return error;
    }
    markedLines_ = lines_;
    return 0;
}

int RunJournal::write(const JsonWriter& line, LineWay way) {
    if (trust_ == nullptr) {
        return EBADF;
    }
    const std::string body = line.str();
    const std::string seal = trust_->seal(runId_, lines_ + 1, lastSeal_, body);
    std::string sealed = body.substr(0, body.size() - 1);
    sealed += ",\"mac\":\"" + seal + "\"}";
    if (const int error = way == LineWay::Held ? file_.hold(sealed) : file_.append(sealed, false)) {
        return error;
    }
    ++lines_;
    lastSeal_ = seal;
    return way == LineWay::Flushed ? flush() : 0;
}

}  // namespace dz
