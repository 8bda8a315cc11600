#include "journal/JournalAdoption.h"

#include "journal/JournalFolder.h"
#include "journal/RunJournal.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace dz {

namespace {

// What the old journal told of one step, told again in the new one.
int retell(RunJournal& journal, const JournalStep& step) {
    if (step.state == JournalStep::State::Planned) {
        return 0;
    }
    if (const int error = journal.stepStarted(step, RunJournal::LineWay::Held)) {
        return error;
    }
    if (!step.keptAt.empty()) {
        if (const int error = journal.fileKept(step.number, step.keptAt)) {
            return error;
        }
    }
    if (step.state == JournalStep::State::Finished) {
        return journal.stepFinished(step.number, step.outcome, step.sha256);
    }
    if (step.state == JournalStep::State::Undone) {
        return journal.stepUndone(step.number, step.outcome);
    }
    return 0;
}

}  // namespace

int adoptJournal(AdmittedRun& foreign, const JournalTrust& trust, std::string& journalPath) {
    RunRecord run = foreign.run;
    run.adopted = true;
    const std::string oldPath = run.path;
    RunJournal journal;
    if (const int error = journal.begin(run, trust)) {
        return error;
    }
    for (const JournalStep& step : run.steps) {
        if (const int error = retell(journal, step)) {
            return error;
        }
    }
    for (const std::string& folder : run.foldersCreated) {
        if (const int error = journal.folderCreated(folder)) {
            return error;
        }
    }
    for (const int album : run.albumsDone) {
        if (const int error = journal.albumDone(album)) {
            return error;
        }
    }
    if (run.ended || run.undone) {
        if (const int error = journal.ended(run.undone ? "undone" : "end", "adopted")) {
            return error;
        }
    }
    if (const int error = journal.seal()) {
        return error;
    }
    journalPath = journal.path();
    journal.close();

    int folderFd = -1;
    if (const int error = openOwnFolder(foreign.target, RunJournal::kFolderBelowTarget, false, folderFd)) {
        return error;
    }
    const std::string name = oldPath.substr(oldPath.rfind('/') + 1);
    const std::string aside = name + ".adopted";
    const int renamed = ::renameat2(folderFd, name.c_str(), folderFd, aside.c_str(), RENAME_NOREPLACE);
    const int error = renamed == 0 ? 0 : errno;
    ::close(folderFd);
    return error;
}

}  // namespace dz
