#include "journal/RunJournal.h"

#include "journal/JsonWriter.h"

#include <ctime>
#include <unistd.h>

namespace dz {

namespace {

std::string stepJson(const JournalStep& step) {
    JsonWriter json;
    json.integer("step", step.number)
        .integer("album", step.albumId)
        .text("source", step.source)
        .text("target", step.target)
        .unsignedInteger("size", step.size);
    // Written only when set, so journals of runs without such files read as before.
    if (step.travelling) {
        json.boolean("travelling", true);
    }
    return json.str();
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

std::string RunJournal::folderFor(const std::string& targetFolder) {
    return targetFolder + "/.dezoredu/journal";
}

int RunJournal::begin(RunRecord& run) {
    run.pid = ::getpid();
    run.startedAt = utcTimeText();
    std::string stamp = run.startedAt;
    // File names sort as the runs started: no ':' to trouble other systems.
    for (char& c : stamp) {
        if (c == ':') {
            c = '-';
        }
    }
    run.path = folderFor(run.targetFolder) + "/" + stamp + "-" + std::to_string(run.pid) + ".jsonl";
    if (const int error = file_.open(run.path)) {
        return error;
    }
    std::string steps = "[";
    for (const JournalStep& step : run.steps) {
        if (steps.size() > 1) {
            steps += ',';
        }
        steps += stepJson(step);
    }
    steps += ']';
    return write(JsonWriter()
                     .text("event", "plan")
                     .integer("version", 1)
                     .integer("pid", run.pid)
                     .text("time", run.startedAt)
                     .text("target", run.targetFolder)
                     .text("mode", run.move ? "move" : "copy")
                     .raw("steps", steps)
                     .str(),
                 true);
}

int RunJournal::reopen(const std::string& path, const std::string& event) {
    if (const int error = file_.open(path)) {
        return error;
    }
    return write(JsonWriter().text("event", event).integer("pid", ::getpid()).text("time", utcTimeText()).str(),
                 true);
}

int RunJournal::stepStarted(const JournalStep& step) {
    return write(JsonWriter()
                     .text("event", "start")
                     .integer("step", step.number)
                     .text("source", step.source)
                     .text("target", step.place())
                     .unsignedInteger("size", step.size)
                     .text("sha256", step.sha256)
                     .text("action", step.move ? "move" : "copy")
                     .boolean("replace", step.replace)
                     .str(),
                 step.move);
}

int RunJournal::stepFinished(int number, const std::string& outcome, const std::string& sha256) {
    JsonWriter line;
    line.text("event", "done").integer("step", number).text("outcome", outcome);
    if (!sha256.empty()) {
        line.text("sha256", sha256);
    }
    // Flushed with the next move's start or the album's end: a step that is
    // done but not known to be is checked again by a resume, which is safe.
    return write(line.str(), false);
}

int RunJournal::stepUndone(int number, const std::string& outcome) {
    return write(JsonWriter().text("event", "undo").integer("step", number).text("outcome", outcome).str(), true);
}

int RunJournal::folderCreated(const std::string& folder) {
    return write(JsonWriter().text("event", "folder").text("path", folder).str(), true);
}

int RunJournal::folderRemoved(const std::string& folder) {
    return write(JsonWriter().text("event", "folder-removed").text("path", folder).str(), false);
}

int RunJournal::albumDone(int albumId) {
    return write(JsonWriter().text("event", "album").integer("album", albumId).str(), false);
}

int RunJournal::ended(const std::string& event, const std::string& status) {
    return write(JsonWriter().text("event", event).text("time", utcTimeText()).text("status", status).str(), true);
}

int RunJournal::write(const std::string& line, bool flush) {
    return file_.append(line, flush);
}

}  // namespace dz
