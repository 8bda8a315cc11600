#include "journal/JournalReader.h"

#include "journal/JsonValue.h"
#include "journal/RunJournal.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace dz {

namespace {

// Steps are numbered from 1 in the plan; a number out of that range is refused.
JournalStep* stepOf(RunRecord& run, const JsonValue& line) {
    const std::int64_t n = line.integerOr("step", 0);
    if (n < 1 || n > static_cast<std::int64_t>(run.steps.size())) {
        return nullptr;
    }
    return &run.steps[static_cast<std::size_t>(n - 1)];
}

bool readPlan(const JsonValue& line, RunRecord& run, std::string& error) {
    run.targetFolder = line.textOr("target");
    run.move = line.textOr("mode") == "move";
    run.pid = line.integerOr("pid", 0);
    run.startedAt = line.textOr("time");
    const JsonValue* steps = line.find("steps");
    if (run.targetFolder.empty() || steps == nullptr || steps->kind != JsonValue::Kind::Array) {
        error = "the plan names no target folder or steps";
        return false;
    }
    for (const JsonValue& item : steps->items) {
        JournalStep step;
        step.number = static_cast<int>(run.steps.size()) + 1;
        step.albumId = static_cast<int>(item.integerOr("album", 0));
        step.source = item.textOr("source");
        step.target = item.textOr("target");
        step.size = static_cast<std::uint64_t>(std::max<std::int64_t>(0, item.integerOr("size", 0)));
        step.move = run.move;
        step.travelling = item.booleanOr("travelling", false);
        if (step.source.empty() || step.target.empty()) {
            error = "a step of the plan names no source or target";
            return false;
        }
        run.steps.push_back(std::move(step));
    }
    return true;
}

bool readEvent(const JsonValue& line, RunRecord& run, std::string& error) {
    const std::string event = line.textOr("event");
    if (event == "start" || event == "done" || event == "undo") {
        JournalStep* step = stepOf(run, line);
        if (step == nullptr) {
            error = "a line names a step the plan does not have";
            return false;
        }
        if (event == "start") {
            step->state = JournalStep::State::Started;
            step->placedAt = line.textOr("target");
            step->sha256 = line.textOr("sha256");
            step->move = line.textOr("action") == "move";
            step->replace = line.booleanOr("replace", false);
            step->outcome.clear();
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
    if (event == "folder") {
        run.foldersCreated.push_back(line.textOr("path"));
    } else if (event == "album") {
        run.albumsDone.push_back(static_cast<int>(line.integerOr("album", 0)));
    } else if (event == "end") {
        run.ended = true;
    } else if (event == "resume") {
        run.ended = false;
    } else if (event == "undone") {
        run.undone = true;
    }
    // Lines of kinds this program does not know are kept out of the way.
    return true;
}

}  // namespace

int RunRecord::finishedCount() const {
    return static_cast<int>(std::count_if(steps.begin(), steps.end(), [](const JournalStep& s) {
        return s.state == JournalStep::State::Finished && !s.travelling;
    }));
}

int RunRecord::pictureCount() const {
    return static_cast<int>(
        std::count_if(steps.begin(), steps.end(), [](const JournalStep& s) { return !s.travelling; }));
}

std::optional<RunRecord> parseJournal(const std::string& text, std::string& error) {
    RunRecord run;
    bool planRead = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const bool lastCut = end == std::string::npos;
        const std::string_view line(text.data() + start, (lastCut ? text.size() : end) - start);
        start = lastCut ? text.size() : end + 1;
        if (line.empty()) {
            continue;
        }
        std::string reason;
        const std::optional<JsonValue> value = parseJson(line, &reason);
        if (!value || value->kind != JsonValue::Kind::Object) {
            // A crash can cut only the line being written, the last one.
            if (lastCut) {
                break;
            }
            error = "a line does not read: " + reason;
            return std::nullopt;
        }
        if (!planRead) {
            if (value->textOr("event") != "plan") {
                error = "the journal does not start with its plan";
                return std::nullopt;
            }
            if (!readPlan(*value, run, error)) {
                return std::nullopt;
            }
            planRead = true;
            continue;
        }
        if (!readEvent(*value, run, error)) {
            return std::nullopt;
        }
    }
    if (!planRead) {
        error = "the journal holds no plan";
        return std::nullopt;
    }
    return run;
}

std::optional<RunRecord> readJournal(FileSystem& fileSystem, const std::string& path, std::string& error) {
    auto source = fileSystem.openRead(path);
    if (!source) {
        error = "the journal cannot be opened";
        return std::nullopt;
    }
    std::string text;
    char chunk[65536];
    for (;;) {
        const std::size_t n = source->read(reinterpret_cast<std::uint8_t*>(chunk), sizeof chunk);
        if (n == 0) {
            break;
        }
        text.append(chunk, n);
    }
    auto run = parseJournal(text, error);
    if (run) {
        run->path = path;
    }
    return run;
}

std::vector<std::string> journalsOf(FileSystem& fileSystem, const std::string& targetFolder) {
    const std::string folder = RunJournal::folderFor(targetFolder);
    std::vector<DirEntry> entries;
    std::vector<std::string> paths;
    if (!fileSystem.listDirectory(folder, "*.jsonl", entries)) {
        return paths;
    }
    for (const DirEntry& entry : entries) {
        if (!entry.isDirectory()) {
            paths.push_back(folder + "/" + entry.name);
        }
    }
    return paths;  // listed by name, and names start with the UTC time
}

}  // namespace dz
