#include "journal/JournalReplay.h"

#include "journal/RunJournal.h"
#include "platform/PathParts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

namespace dz {

namespace {

// The folder part of a relative path; empty for a name at the top.
std::string folderPart(const std::string& relative) {
    const std::size_t slash = relative.rfind('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

std::string numberedPlace(const std::string& relative, int n) {
    const std::string folder = folderPart(relative);
    const std::string name = numberedName(relative.substr(folder.empty() ? 0 : folder.size() + 1), n);
    return folder.empty() ? name : folder + "/" + name;
}

// What both replays share: the run's folders and the journal's lines.
class Replay {
protected:
    Replay(AdmittedRun& admitted, RunJournal& journal)
        : run_(admitted.run), target_(admitted.target), source_(admitted.source), journal_(journal) {}

    const RootedFolder* sourceRootOf(const JournalStep& step) const {
        if (step.sourceInTarget) {
            return &target_;
        }
        return source_.isOpen() ? &source_ : nullptr;
    }

    // False, and the replay stops, when a line cannot be written.
    bool journalled(int error) {
        if (error != 0 && report_.journalError.empty()) {
            report_.journalError = std::strerror(error);
        }
        return report_.journalError.empty();
    }
    bool stopped() const { return !report_.journalError.empty(); }

    void leave(const std::string& path, const std::string& why) { report_.leftAlone.push_back(path + ": " + why); }

    // Whether the file at `place` in the target is the step's picture: the
    // very file a rename took there, or the bytes the journal knows, or,
    // for a copy whose hash was not written yet, the bytes of its source.
    bool holdsPicture(const JournalStep& step, const std::string& place) {
        FileIdentity there;
        if (target_.facts(place, there) != 0) {
            return false;
        }
        if (step.identity.inode != 0 && there.sameFile(step.identity)) {
            return true;
        }
        std::string hash;
        if (!step.sha256.empty()) {
            return target_.hash(place, hash) == 0 && hash == step.sha256;
        }
        const RootedFolder* root = sourceRootOf(step);
        std::string sourceHash;
        return root != nullptr && root->hash(step.source, sourceHash) == 0 && target_.hash(place, hash) == 0 &&
               hash == sourceHash;
    }

    // A move whose start line had not reached the disk: the plan's file,
    // every fact as the plan knew it, at its planned place.
    bool renamedAsPlanned(const JournalStep& step) const {
        FileIdentity there;
        return step.state == JournalStep::State::Planned && step.move && step.identity.inode != 0 &&
               step.placedAt.empty() && target_.facts(step.target, there) == 0 && there == step.identity;
    }

    RunRecord& run_;
    const RootedFolder& target_;
    const RootedFolder& source_;
    RunJournal& journal_;
    ReplayReport report_;
};

class Resume : public Replay {
public:
    Resume(AdmittedRun& admitted, RunJournal& journal, bool verifyCopies)
        : Replay(admitted, journal), verifyCopies_(verifyCopies) {}

    ReplayReport run() {
        const bool removesSources = run_.move && !run_.adopted;
        moves_ = removesSources;
        std::size_t i = 0;
        while (i < run_.steps.size() && !stopped()) {
            std::size_t end = i + 1;
            while (end < run_.steps.size() && run_.steps[end].travelling) {
                ++end;
            }
            resumeShot(i, end);
            i = end;
        }
        if (stopped()) {
            return report_;
        }
        markAlbums();
        journalled(journal_.ended("end", std::to_string(report_.done) + " done, " +
                                             std::to_string(report_.checked) + " checked, " +
                                             std::to_string(report_.failed) + " failed"));
        run_.ended = !stopped();
        return report_;
    }

private:
    bool pending(const JournalStep& step) const {
        return step.state == JournalStep::State::Planned || step.state == JournalStep::State::Started ||
               (step.state == JournalStep::State::Finished && step.outcome == "failed");
    }

    // A file of other bytes in the place of any file of the shot sends the
    // whole shot's pending files to names free for all of them.
    void resumeShot(std::size_t begin, std::size_t end) {
        bool clash = false;
        for (std::size_t i = begin; i < end; ++i) {
            const JournalStep& step = run_.steps[i];
            FileIdentity there;
            if (pending(step) && target_.facts(step.place(), there) == 0 && !holdsPicture(step, step.place()) &&
                !sameAsSource(step, there)) {
                clash = true;
            }
        }
        if (clash) {
            const std::string& lead = run_.steps[begin].place();
            const int n = numbers_.next(lead, [&](int candidate) {
                for (std::size_t i = begin; i < end; ++i) {
                    FileIdentity there;
                    if (pending(run_.steps[i]) &&
                        target_.facts(numberedPlace(run_.steps[i].place(), candidate), there) != ENOENT) {
                        return false;
                    }
                }
                return true;
            });
            for (std::size_t i = begin; i < end; ++i) {
                JournalStep& step = run_.steps[i];
                if (pending(step) && !holdsPicture(step, step.place())) {
                    step.placedAt = numberedPlace(step.place(), n);
                    if (step.state == JournalStep::State::Started) {
                        step.state = JournalStep::State::Planned;
                    }
                }
            }
        }
        for (std::size_t i = begin; i < end && !stopped(); ++i) {
            JournalStep& step = run_.steps[i];
            switch (step.state) {
            case JournalStep::State::Finished: checkFinished(step); break;
            case JournalStep::State::Started: completeStarted(step); break;
            case JournalStep::State::Planned: carryOut(step); break;
            case JournalStep::State::Undone: break;
            }
        }
    }

    bool sameAsSource(const JournalStep& step, const FileIdentity& there) const {
        const RootedFolder* root = sourceRootOf(step);
        FileIdentity source;
        return root != nullptr && root->facts(step.source, source) == 0 && source.sameFile(there);
    }

    void finish(JournalStep& step, const std::string& outcome) {
        if (!journalled(journal_.stepFinished(step.number, outcome, step.sha256))) {
            return;
        }
        step.state = JournalStep::State::Finished;
        step.outcome = outcome;
        report_.done += step.travelling ? 0 : 1;
    }

    void failed(JournalStep& step) {
        // The step stays open: the next resume tries it again.
        journalled(journal_.stepFinished(step.number, "failed"));
        step.state = JournalStep::State::Finished;
        step.outcome = "failed";
        ++report_.failed;
    }

    void checkFinished(JournalStep& step) {
        if (step.outcome == "failed") {
            step.state = JournalStep::State::Planned;
            carryOut(step);
            return;
        }
        if (!isPlacedOutcome(step.outcome)) {
            return;  // one the user chose to leave stays
        }
        FileIdentity there;
        const bool present = target_.facts(step.place(), there) == 0;
        const bool holds = step.outcome == "in-place" || step.outcome == "already-there"
                               ? present
                               : present && holdsPicture(step, step.place());
        if (holds) {
            report_.checked += step.travelling ? 0 : 1;
        } else {
            leave(run_.placePathOf(step), "no longer holds the picture the run put there");
        }
    }

    // The operation may have happened or not, whole or in part; the disk tells.
    void completeStarted(JournalStep& step) {
        const RootedFolder* root = sourceRootOf(step);
        FileIdentity source;
        const bool sourceThere = root != nullptr && root->facts(step.source, source) == 0;
        FileIdentity there;
        if (target_.facts(step.place(), there) == 0 && holdsPicture(step, step.place())) {
            if (!step.move || !sourceThere || source.sameFile(there)) {
                finish(step, step.move && !source.sameFile(there) ? "moved" : "copied");
                return;
            }
            // A move across file systems cut between its copy and the removal.
            std::string hash;
            if (!moves_ || root->hash(step.source, hash) != 0 || (!step.sha256.empty() && hash != step.sha256)) {
                finish(step, "copied");
                return;
            }
            if (root->remove(step.source, source) != 0) {
                failed(step);
                return;
            }
            finish(step, "moved");
            return;
        }
        if (!sourceThere) {
            leave(run_.sourcePathOf(step), "the picture is neither at its source nor at its place");
            return;
        }
        transfer(step, *root, source);
    }

    void carryOut(JournalStep& step) {
        const RootedFolder* root = sourceRootOf(step);
        if (root == nullptr) {
            leave(run_.sourcePathOf(step), "the source folder of the run cannot be reached");
            return;
        }
        FileIdentity source;
        if (root->facts(step.source, source) != 0) {
            if (renamedAsPlanned(step)) {
                finish(step, "moved");  // its start line had not reached the disk
                return;
            }
            leave(run_.sourcePathOf(step), "the picture is no longer at its source");
            return;
        }
        if (!makeFolders(step)) {
            ++report_.failed;
            return;
        }
        FileIdentity there;
        if (target_.facts(step.place(), there) == 0) {
            if (there.sameFile(source)) {
                if (journalled(journal_.stepStarted(step, RunJournal::LineWay::Written))) {
                    finish(step, "in-place");
                }
                return;
            }
            std::string sourceHash;
            std::string placeHash;
            if (root->hash(step.source, sourceHash) == 0 && target_.hash(step.place(), placeHash) == 0 &&
                sourceHash == placeHash) {
                step.sha256 = sourceHash;
                if (!journalled(journal_.stepStarted(step, RunJournal::LineWay::Flushed))) {
                    return;
                }
                if (moves_ && root->remove(step.source, source) != 0) {
                    failed(step);
                    return;
                }
                finish(step, "already-there");
                return;
            }
            // A file of its own appeared since the clash check: a free name.
            step.placedAt = numberedPlace(step.place(), numbers_.next(step.place(), [&](int n) {
                FileIdentity other;
                return target_.facts(numberedPlace(step.place(), n), other) == ENOENT;
            }));
        }
        transfer(step, *root, source);
    }

    bool makeFolders(const JournalStep& step) {
        const std::string folder = folderPart(step.place());
        if (folder.empty() || !madeFolders_.insert(folder).second) {
            return true;
        }
        std::vector<std::string> made;
        const int error = target_.makeFolders(folder, made);
        for (const std::string& level : made) {
            if (!journalled(journal_.folderCreated(level))) {
                return false;
            }
        }
        return error == 0;
    }

    void transfer(JournalStep& step, const RootedFolder& root, const FileIdentity& source) {
        step.move = moves_;
        step.replace = false;
        step.identity = source;
        step.sha256.clear();
        // A move to another file system reads the bytes: their hash goes first,
        // so a resume can tell the copy when the source is gone.
        if (moves_ && source.device != target_.stamp().device && root.hash(step.source, step.sha256) != 0) {
            failed(step);
            return;
        }
        if (!journalled(journal_.stepStarted(step, RunJournal::LineWay::Flushed))) {
            return;
        }
        std::string hash;
        const int error = moves_ ? moveBeneath(root, step.source, target_, step.place(), hash)
                                 : copyBeneath(root, step.source, target_, step.place(), hash, verifyCopies_);
        if (error != 0) {
            failed(step);
            return;
        }
        if (!hash.empty()) {
            step.sha256 = hash;
        }
        finish(step, moves_ ? "moved" : "copied");
    }

    // An album is done when each of its steps put its picture in place.
    void markAlbums() {
        std::set<int> albums;
        std::set<int> incomplete;
        for (const JournalStep& step : run_.steps) {
            albums.insert(step.albumId);
            if (step.state != JournalStep::State::Finished || !isPlacedOutcome(step.outcome)) {
                incomplete.insert(step.albumId);
            }
        }
        for (const int album : albums) {
            if (incomplete.count(album) != 0) {
                continue;
            }
            report_.albumsDone.push_back(album);
            if (std::find(run_.albumsDone.begin(), run_.albumsDone.end(), album) == run_.albumsDone.end()) {
                if (!journalled(journal_.albumDone(album))) {
                    return;
                }
                run_.albumsDone.push_back(album);
            }
        }
    }

    bool moves_ = false;
    bool verifyCopies_ = false;
    FreeNumbers numbers_;
    std::set<std::string> madeFolders_;
};

class Undo : public Replay {
public:
    Undo(AdmittedRun& admitted, RunJournal& journal) : Replay(admitted, journal) {}

    ReplayReport run() {
        for (auto step = run_.steps.rbegin(); step != run_.steps.rend() && !stopped(); ++step) {
            if (step->state == JournalStep::State::Started || renamedAsPlanned(*step) ||
                (step->state == JournalStep::State::Finished && isPlacedOutcome(step->outcome))) {
                takeBack(*step);
            }
        }
        for (auto folder = run_.foldersCreated.rbegin(); folder != run_.foldersCreated.rend() && !stopped();
             ++folder) {
            bool removed = false;
            if (target_.removeEmptyFolder(*folder, removed) == 0 && removed) {
                journalled(journal_.folderRemoved(*folder));
            }
        }
        if (stopped()) {
            return report_;
        }
        const std::string status = std::to_string(report_.done) + " taken back, " +
                                   std::to_string(report_.leftAlone.size()) + " left alone, " +
                                   std::to_string(report_.failed) + " failed";
        // With steps still to take back the run stays open for the next undo.
        const bool whole = report_.failed == 0;
        if (journalled(journal_.ended(whole ? "undone" : "undo-end", status))) {
            run_.undone = whole;
        }
        return report_;
    }

private:
    void undone(JournalStep& step, const std::string& outcome) {
        if (!journalled(journal_.stepUndone(step.number, outcome))) {
            return;
        }
        step.state = JournalStep::State::Undone;
        report_.done += step.travelling ? 0 : 1;
    }

    void takeBack(JournalStep& step) {
        if (step.outcome == "in-place") {
            undone(step, "in place");
            return;
        }
        const std::string place = step.place();
        FileIdentity there;
        const int placeError = target_.facts(place, there);
        const RootedFolder* root = sourceRootOf(step);
        FileIdentity source;
        const bool sourceThere = root != nullptr && root->facts(step.source, source) == 0;
        if (step.outcome == "already-there") {
            restoreSource(step, root, sourceThere, placeError == 0);
            return;
        }
        if (placeError == ENOENT) {
            // Nothing of the run's there: never written, or taken back by an
            // undo cut short before its line.
            if (!step.move || sourceThere) {
                undone(step, "not there");
                putBackKept(step);
            } else {
                leave(run_.placePathOf(step), "not found");
                undone(step, "left");
            }
            return;
        }
        if (placeError != 0) {
            leave(run_.placePathOf(step), std::string("cannot be read: ") + std::strerror(placeError));
            ++report_.failed;
            return;
        }
        if (!holdsPicture(step, place)) {
            if (step.state == JournalStep::State::Started) {
                undone(step, "not done");  // the file there is not the run's
                return;
            }
            leave(run_.placePathOf(step), "changed since the run");
            undone(step, "left");
            return;
        }
        if (!step.move && !keepsItsSource(step, root, sourceThere, place)) {
            return;
        }
        if (!step.move || (sourceThere && !source.sameFile(there) && sameBytes(*root, step, place))) {
            // A copy, or a move cut before its source went: the target's file goes.
            if (target_.remove(place, there) != 0) {
                ++report_.failed;
                return;
            }
            undone(step, "removed");
            putBackKept(step);
            return;
        }
        if (root == nullptr) {
            leave(run_.sourcePathOf(step), "the source folder of the run cannot be reached");
            ++report_.failed;
            return;
        }
        if (sourceThere) {
            leave(run_.sourcePathOf(step), "the source path is taken");
            undone(step, "left");
            return;
        }
        std::vector<std::string> made;
        const std::string folder = folderPart(step.source);
        std::string hash;
        if ((!folder.empty() && root->makeFolders(folder, made) != 0) ||
            moveBeneath(target_, place, *root, step.source, hash) != 0) {
            ++report_.failed;
            return;
        }
        undone(step, "moved back");
        putBackKept(step);
    }

    // A copy is taken back only while its source still holds the picture:
    // with the source deleted or changed since, the copy may be the last one,
    // and it stays. A source folder out of reach leaves the step for a later undo.
    bool keepsItsSource(JournalStep& step, const RootedFolder* root, bool sourceThere, const std::string& place) {
        if (root == nullptr) {
            leave(run_.placePathOf(step), "kept: the source folder of the run cannot be reached");
            ++report_.failed;
            return false;
        }
        std::string hash;
        const bool same = sourceThere && (step.sha256.empty() ? sameBytes(*root, step, place)
                                                              : root->hash(step.source, hash) == 0 && hash == step.sha256);
        if (!same) {
            leave(run_.placePathOf(step), sourceThere ? "kept: its source changed since the run"
                                                      : "kept: its source is gone, this copy may be the last one");
            undone(step, "left");
        }
        return same;
    }

    bool sameBytes(const RootedFolder& root, const JournalStep& step, const std::string& place) {
        std::string a;
        std::string b;
        return root.hash(step.source, a) == 0 && target_.hash(place, b) == 0 && a == b;
    }

    // The file was there before the run; a move had removed its source.
    void restoreSource(JournalStep& step, const RootedFolder* root, bool sourceThere, bool placeThere) {
        if (!step.move || sourceThere) {
            undone(step, "restored");
            return;
        }
        if (root == nullptr || !placeThere) {
            leave(run_.sourcePathOf(step), "cannot be restored: its copy or its folder is gone");
            ++report_.failed;
            return;
        }
        std::string hash;
        if (!step.sha256.empty() && (target_.hash(step.place(), hash) != 0 || hash != step.sha256)) {
            leave(run_.placePathOf(step), "changed since the run");
            undone(step, "left");
            return;
        }
        std::vector<std::string> made;
        const std::string folder = folderPart(step.source);
        if ((!folder.empty() && root->makeFolders(folder, made) != 0) ||
            copyBeneath(target_, step.place(), *root, step.source, hash) != 0) {
            ++report_.failed;
            return;
        }
        undone(step, "restored");
    }

    // A file the step replaced comes back to its place.
    void putBackKept(const JournalStep& step) {
        if (step.keptAt.empty() || stopped()) {
            return;
        }
        // Put back already by the run itself, when its picture failed to take the place.
        FileIdentity kept;
        if (target_.facts(step.keptAt, kept) == ENOENT) {
            return;
        }
        std::string hash;
        if (moveBeneath(target_, step.keptAt, target_, step.place(), hash) != 0) {
            leave(target_.pathOf(step.keptAt), "the file the run replaced could not be put back");
            ++report_.failed;
        }
    }
};

}  // namespace

ReplayReport resumeRun(AdmittedRun& admitted, RunJournal& journal, bool verifyCopies) {
    return Resume(admitted, journal, verifyCopies).run();
}

ReplayReport undoRun(AdmittedRun& admitted, RunJournal& journal) {
    return Undo(admitted, journal).run();
}

}  // namespace dz
