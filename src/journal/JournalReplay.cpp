#include "journal/JournalReplay.h"

#include "journal/RunJournal.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"

#include <algorithm>
#include <set>

namespace dz {

namespace {

bool isPlaced(const std::string& outcome) {
    return outcome == "copied" || outcome == "moved" || outcome == "already-there";
}

bool hashIs(FileSystem& fs, const std::string& path, const std::string& sha256) {
    std::string hash;
    return !sha256.empty() && fs.hashFile(path, hash) && hash == sha256;
}

// Whether `path` holds the step's picture: by its hash, or, for a copy cut
// short before its hash was written, by the bytes of its source.
bool holdsPicture(FileSystem& fs, const JournalStep& step, const std::string& path) {
    if (!step.sha256.empty()) {
        return hashIs(fs, path, step.sha256);
    }
    bool same = false;
    return !step.move && fs.compareFiles(step.source, path, same) && same;
}

// Makes the folders of `folder` below `top` that are missing, each one in
// the journal so that an undo can take it away again.
bool makeFoldersBelow(const std::string& top, const std::string& folder, RunJournal& journal, FileSystem& fs) {
    if (folder.size() <= top.size() || folder.compare(0, top.size(), top) != 0) {
        return fs.exists(folder);
    }
    std::size_t at = top.size();
    while (at < folder.size()) {
        const std::size_t next = folder.find('/', at + 1);
        const std::string level = folder.substr(0, next == std::string::npos ? folder.size() : next);
        at = next == std::string::npos ? folder.size() : next;
        if (fs.exists(level)) {
            continue;
        }
        if (!fs.createDirectory(level)) {
            return false;
        }
        journal.folderCreated(level);
    }
    return true;
}

// "IMG_0001.jpg" -> "IMG_0001 (2).jpg", the first name free in its folder.
std::string freePlaceBeside(FileSystem& fs, const std::string& path) {
    return firstFreeNumberedPlace(folderOf(path), nameOf(path),
                                  [&fs](const std::string& place) { return fs.exists(place); });
}

class Resume {
public:
    Resume(RunRecord& run, RunJournal& journal, FileSystem& fs) : run_(run), journal_(journal), fs_(fs) {}

    ReplayReport run() {
        for (JournalStep& step : run_.steps) {
            switch (step.state) {
            case JournalStep::State::Finished: checkFinished(step); break;
            case JournalStep::State::Started: completeStarted(step); break;
            case JournalStep::State::Planned: carryOut(step); break;
            case JournalStep::State::Undone: break;
            }
        }
        for (const std::string& folder : folders_) {
            fs_.flushFolder(folder);
        }
        markAlbums();
        journal_.ended("end", std::to_string(report_.done) + " done, " + std::to_string(report_.checked) +
                                  " checked, " + std::to_string(report_.failed) + " failed");
        run_.ended = true;
        return report_;
    }

private:
    void finish(JournalStep& step, const std::string& outcome) {
        if (step.sha256.empty()) {
            fs_.hashFile(step.place(), step.sha256);
        }
        journal_.stepFinished(step.number, outcome, step.sha256);
        step.state = JournalStep::State::Finished;
        step.outcome = outcome;
        folders_.insert(folderOf(step.place()));
        report_.done += step.travelling ? 0 : 1;
    }

    void leave(const std::string& path, const std::string& why) { report_.leftAlone.push_back(path + ": " + why); }

    void checkFinished(JournalStep& step) {
        if (!isPlaced(step.outcome)) {
            // A failed step is tried again; one the user chose to leave stays.
            if (step.outcome == "failed") {
                step.state = JournalStep::State::Planned;
                carryOut(step);
            }
            return;
        }
        std::uint64_t size = 0;
        const bool there = step.sha256.empty() ? fs_.fileSize(step.place(), size) && size == step.size
                                               : hashIs(fs_, step.place(), step.sha256);
        if (there) {
            report_.checked += step.travelling ? 0 : 1;
        } else {
            leave(step.place(), "no longer holds the picture the run put there");
        }
    }

    // The operation may have happened or not, whole or in part; the disk tells.
    void completeStarted(JournalStep& step) {
        const std::string place = step.place();
        const bool sourceThere = fs_.exists(step.source);
        if (fs_.exists(place)) {
            if (holdsPicture(fs_, step, place)) {
                if (!step.move || !sourceThere) {
                    finish(step, step.move ? "moved" : "copied");
                    return;
                }
                bool same = false;
                // A move across file systems was cut between its copy and the removal.
                if (fs_.compareFiles(step.source, place, same) && same && fs_.removeFile(step.source)) {
                    finish(step, "moved");
                } else {
                    ++report_.failed;
                }
                return;
            }
            if (!step.replace) {
                // Copies go through a hidden file, so a file of other bytes
                // under this name is not ours: it gets a name of its own.
                step.placedAt = freePlaceBeside(fs_, place);
            }
        }
        if (!sourceThere) {
            leave(step.source, "the picture is neither at its source nor at its place");
            return;
        }
        transfer(step, step.replace);
    }

    void carryOut(JournalStep& step) {
        if (!fs_.exists(step.source)) {
            leave(step.source, "the picture is no longer at its source");
            return;
        }
        const std::string folder = folderOf(step.place());
        if (!makeFoldersBelow(run_.targetFolder, folder, journal_, fs_)) {
            ++report_.failed;
            return;
        }
        if (entered_.insert(folder).second) {
            fs_.removePartialFiles(folder);
        }
        if (fs_.exists(step.place())) {
            bool same = false;
            if (fs_.compareFiles(step.source, step.place(), same) && same) {
                if (!fs_.hashFile(step.source, step.sha256)) {
                    ++report_.failed;
                    return;
                }
                journal_.stepStarted(step);
                if (step.move && !fs_.removeFile(step.source)) {
                    ++report_.failed;
                    return;
                }
                finish(step, "already-there");
                return;
            }
            step.placedAt = freePlaceBeside(fs_, step.place());
        }
        transfer(step, false);
    }

    void transfer(JournalStep& step, bool replace) {
        if (!fs_.hashFile(step.source, step.sha256)) {
            ++report_.failed;
            return;
        }
        step.replace = replace;
        journal_.stepStarted(step);
        const bool ok = step.move ? fs_.moveFile(step.source, step.place(), replace)
                                  : fs_.copyFile(step.source, step.place(), replace);
        if (!ok) {
            journal_.stepFinished(step.number, "failed");
            step.state = JournalStep::State::Finished;
            step.outcome = "failed";
            ++report_.failed;
            return;
        }
        finish(step, step.move ? "moved" : "copied");
    }

    // An album is done when each of its steps put its picture in place.
    void markAlbums() {
        std::set<int> albums;
        std::set<int> incomplete;
        for (const JournalStep& step : run_.steps) {
            albums.insert(step.albumId);
            if (step.state != JournalStep::State::Finished || !isPlaced(step.outcome)) {
                incomplete.insert(step.albumId);
            }
        }
        for (const int album : albums) {
            if (incomplete.count(album) != 0) {
                continue;
            }
            report_.albumsDone.push_back(album);
            if (std::find(run_.albumsDone.begin(), run_.albumsDone.end(), album) == run_.albumsDone.end()) {
                journal_.albumDone(album);
                run_.albumsDone.push_back(album);
            }
        }
    }

    RunRecord& run_;
    RunJournal& journal_;
    FileSystem& fs_;
    ReplayReport report_;
    std::set<std::string> folders_;
    std::set<std::string> entered_;
};

class Undo {
public:
    Undo(RunRecord& run, RunJournal& journal, FileSystem& fs) : run_(run), journal_(journal), fs_(fs) {}

    ReplayReport run() {
        for (auto step = run_.steps.rbegin(); step != run_.steps.rend(); ++step) {
            if (step->state == JournalStep::State::Started ||
                (step->state == JournalStep::State::Finished && isPlaced(step->outcome))) {
                takeBack(*step);
            }
        }
        for (auto folder = run_.foldersCreated.rbegin(); folder != run_.foldersCreated.rend(); ++folder) {
            bool removed = false;
            if (fs_.removeEmptyFolder(*folder, removed) && removed) {
                journal_.folderRemoved(*folder);
            }
        }
        journal_.ended("undone", std::to_string(report_.done) + " taken back, " +
                                     std::to_string(report_.leftAlone.size()) + " left alone");
        run_.undone = true;
        return report_;
    }

private:
    void undone(JournalStep& step, const std::string& outcome) {
        journal_.stepUndone(step.number, outcome);
        step.state = JournalStep::State::Undone;
        report_.done += step.travelling ? 0 : 1;
    }

    void leave(const std::string& path, const std::string& why) { report_.leftAlone.push_back(path + ": " + why); }

    void takeBack(JournalStep& step) {
        const std::string place = step.place();
        const bool placeThere = fs_.exists(place);
        const bool sourceThere = fs_.exists(step.source);
        if (step.outcome == "already-there") {
            // The file was there before the run; a move had removed the source.
            if (step.move && !sourceThere) {
                if (!hashIs(fs_, place, step.sha256)) {
                    leave(place, "changed since the run");
                    return;
                }
                if (!fs_.copyFile(place, step.source, false)) {
                    ++report_.failed;
                    return;
                }
            }
            undone(step, "restored");
            return;
        }
        if (!placeThere) {
            // Cut short before anything reached the target.
            if (step.state == JournalStep::State::Started && sourceThere) {
                undone(step, "not done");
            } else {
                leave(place, "not found");
            }
            return;
        }
        if (!holdsPicture(fs_, step, place)) {
            if (step.state == JournalStep::State::Started && sourceThere) {
                undone(step, "not done");  // the file there is not the run's
                return;
            }
            leave(place, "changed since the run");
            return;
        }
        if (!step.move) {
            if (fs_.removeFile(place)) {
                undone(step, "removed");
            } else {
                ++report_.failed;
            }
            return;
        }
        if (sourceThere) {
            bool same = false;
            // Both there with the same bytes: a move cut before its source went.
            if (fs_.compareFiles(step.source, place, same) && same && fs_.removeFile(place)) {
                undone(step, "removed");
                return;
            }
            leave(step.source, "the source path is taken");
            return;
        }
        const std::string folder = folderOf(step.source);
        if (!fs_.exists(folder) && !fs_.createDirectory(folder)) {
            ++report_.failed;
            return;
        }
        if (fs_.moveFile(place, step.source, false)) {
            undone(step, "moved back");
        } else {
            ++report_.failed;
        }
    }

    RunRecord& run_;
    RunJournal& journal_;
    FileSystem& fs_;
    ReplayReport report_;
};

}  // namespace

ReplayReport resumeRun(RunRecord& run, RunJournal& journal, FileSystem& fileSystem) {
    return Resume(run, journal, fileSystem).run();
}

ReplayReport undoRun(RunRecord& run, RunJournal& journal, FileSystem& fileSystem) {
    return Undo(run, journal, fileSystem).run();
}

}  // namespace dz
