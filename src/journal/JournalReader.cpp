#include "journal/JournalReader.h"

#include "journal/JournalFolder.h"

#include <algorithm>
#include <charconv>

namespace dz {

namespace {

bool readUnsigned(const JsonValue* object, std::string_view key, std::uint64_t& out) {
    if (object == nullptr || object->kind != JsonValue::Kind::Object) {
        return false;
    }
    const std::string text = object->textOr(key);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool readStamp(const JsonValue* object, FolderStamp& stamp) {
    return readUnsigned(object, "fs", stamp.fileSystem) && readUnsigned(object, "dev", stamp.device) &&
           readUnsigned(object, "ino", stamp.inode);
}

bool readIdentity(const JsonValue* object, FileIdentity& identity) {
    std::uint64_t mtime = 0;
    if (!readUnsigned(object, "dev", identity.device) || !readUnsigned(object, "ino", identity.inode) ||
        !readUnsigned(object, "size", identity.size) || !readUnsigned(object, "mtime", mtime)) {
        return false;
    }
    identity.modifiedNs = static_cast<std::int64_t>(mtime);
    return true;
}

bool readHead(const JsonValue& line, RunRecord& run, std::string& error) {
    if (line.textOr("event") != "plan" || line.integerOr("version", 0) != 2) {
        error = "the journal does not start with a plan this program writes";
        return false;
    }
    run.runId = line.textOr("run");
    run.move = line.textOr("mode") == "move";
    run.pid = line.integerOr("pid", 0);
    run.startedAt = line.textOr("time");
    run.sourceFolder = line.textOr("source");
    run.adopted = line.booleanOr("adopted", false);
    const std::int64_t steps = line.integerOr("steps", -1);
    if (!readStamp(line.find("sourceStamp"), run.sourceStamp) ||
        !readStamp(line.find("targetStamp"), run.targetStamp) || steps < 0 || steps > kJournalMaxSteps ||
        run.sourceFolder.empty() || run.sourceFolder.front() != '/') {
        error = "the plan's head is incomplete";
        return false;
    }
    run.plannedSteps = static_cast<int>(steps);
    return true;
}

bool readStep(const JsonValue& line, RunRecord& run, std::string& error) {
    JournalStep step;
    step.number = static_cast<int>(run.steps.size()) + 1;
    if (line.textOr("event") != "step" || line.integerOr("step", 0) != step.number) {
        error = "the plan's steps are not in order";
        return false;
    }
    step.albumId = static_cast<int>(line.integerOr("album", 0));
    step.source = line.textOr("source");
    step.sourceInTarget = line.booleanOr("sourceInTarget", false);
    step.target = line.textOr("target");
    step.size = static_cast<std::uint64_t>(std::max<std::int64_t>(0, line.integerOr("size", 0)));
    step.move = run.move;
    step.travelling = line.booleanOr("travelling", false);
    if (line.find("identity") != nullptr && !readIdentity(line.find("identity"), step.identity)) {
        error = "a step's identity does not read";
        return false;
    }
    run.steps.push_back(std::move(step));
    return true;
}

JournalStep* stepOf(RunRecord& run, const JsonValue& line) {
    const std::int64_t n = line.integerOr("step", 0);
    if (n < 1 || n > static_cast<std::int64_t>(run.steps.size())) {
        return nullptr;
    }
    return &run.steps[static_cast<std::size_t>(n - 1)];
}

bool readStepEvent(const std::string& event, const JsonValue& line, RunRecord& run, std::string& error) {
    JournalStep* step = stepOf(run, line);
    if (step == nullptr) {
        error = "a line names a step the plan does not have";
        return false;
    }
    if (event == "start") {
        step->state = JournalStep::State::Started;
        step->placedAt = line.textOr("target");
        step->sha256 = line.textOr("sha256");
        step->identity = {};
        if (line.find("identity") != nullptr && !readIdentity(line.find("identity"), step->identity)) {
            error = "a start line's identity does not read";
            return false;
        }
        step->move = line.textOr("action") == "move";
        step->replace = line.booleanOr("replace", false);
        step->outcome.clear();
    } else if (event == "copied") {
        step->sha256 = line.textOr("sha256");
    } else if (event == "kept") {
        step->keptAt = line.textOr("keptAt");
    } else if (event == "done") {
        step->state = JournalStep::State::Finished;
        step->outcome = line.textOr("outcome");
        if (const std::string sha256 = line.textOr("sha256"); !sha256.empty()) {
            step->sha256 = sha256;
        }
    } else {
        step->state = JournalStep::State::Undone;
        step->outcome = line.textOr("outcome");
    }
    return true;
}

}  // namespace

bool applyJournalLine(RunRecord& run, const JsonValue& line, int number, std::string& error) {
    if (line.kind != JsonValue::Kind::Object) {
        error = "a line is no object";
        return false;
    }
    if (number == 1) {
        return readHead(line, run, error);
    }
    // The head's steps follow it, one a line.
    if (static_cast<int>(run.steps.size()) < run.plannedSteps) {
        return readStep(line, run, error);
    }
    const std::string event = line.textOr("event");
    if (event == "start" || event == "copied" || event == "kept" || event == "done" || event == "undo-step") {
        return readStepEvent(event, line, run, error);
    }
    if (event == "step" || event == "plan") {
        error = "a plan line after the plan";
        return false;
    }
    if (event == "folder") {
        run.foldersCreated.push_back(line.textOr("path"));
    } else if (event == "folder-removed") {
        const std::string path = line.textOr("path");
        run.foldersCreated.erase(std::remove(run.foldersCreated.begin(), run.foldersCreated.end(), path),
                                 run.foldersCreated.end());
    } else if (event == "album") {
        run.albumsDone.push_back(static_cast<int>(line.integerOr("album", 0)));
    } else if (event == "end") {
        run.ended = true;
    } else if (event == "open") {
        const std::string kind = line.textOr("kind");
        if (kind == "resume") {
            run.ended = false;
        } else if (kind == "undo") {
            run.undoing = true;
        }
    } else if (event == "undone") {
        run.undone = true;
    }
    // Lines of kinds this program does not know are kept out of the way.
    return true;
}

bool planComplete(const RunRecord& run) {
    return static_cast<int>(run.steps.size()) == run.plannedSteps;
}

int RunRecord::finishedCount() const {
    return static_cast<int>(std::count_if(steps.begin(), steps.end(), [](const JournalStep& s) {
        return s.state == JournalStep::State::Finished && isPlacedOutcome(s.outcome) && !s.travelling;
    }));
}

int RunRecord::pictureCount() const {
    return static_cast<int>(
        std::count_if(steps.begin(), steps.end(), [](const JournalStep& s) { return !s.travelling; }));
}

std::string RunRecord::sourcePathOf(const JournalStep& step) const {
    return (step.sourceInTarget ? targetFolder : sourceFolder) + "/" + step.source;
}

std::string RunRecord::placePathOf(const JournalStep& step) const {
    return targetFolder + "/" + step.place();
}

bool isPlacedOutcome(const std::string& outcome) {
    return outcome == "copied" || outcome == "moved" || outcome == "already-there" || outcome == "in-place";
}

}  // namespace dz
