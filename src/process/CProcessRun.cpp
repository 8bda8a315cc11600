#include "process/CProcess.h"

#include "exif/TextFormat.h"
#include "platform/FileIdentity.h"
#include "platform/SystemError.h"
#include "process/AlbumFolders.h"
#include "process/FileErrorPrompt.h"
#include "process/PictureName.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace dz {

namespace {

// Whether the folder `path`, links resolved, lies beneath the target: an
// album folder found in a target may be a link someone left there, and a
// run writes only into the folder it was given. A folder that cannot be
// resolved is let through: writing into it fails on its own.
bool staysBeneath(const std::string& target, const std::string& path) {
    char resolved[PATH_MAX];
    char root[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr || ::realpath(target.c_str(), root) == nullptr) {
        return true;
    }
    const std::string inner(resolved);
    std::string outer(root);
    if (outer.back() != '/') {
        outer += '/';
    }
    return inner + "/" == outer || inner.rfind(outer, 0) == 0;
}

}  // namespace

void CProcess::runProcessing() {
    running_ = true;
    lastRunCancelled_ = false;
    control(kProcess).enabled = false;
    Control& albumBar = control(kAlbumProgress);
    albumBar.rangeMin = 0;
    albumBar.rangeMax = static_cast<int>(job_.albums.size());
    albumBar.position = 0;
    processCancel_ = false;
    failures_ = 0;
    writtenThisRun_.clear();
    foldersEntered_.clear();
    foldersMade_.clear();
    placed_.clear();
    renamedForClash_ = 0;
    leftAtSource_ = 0;
    freeNumbers_ = FreeNumbers();
    targetFolder_ = {};
    findAlreadyInTarget();
    if (!startJournal()) {
        running_ = false;
        control(kPreview).enabled = true;
        control(kProcess).enabled = true;
        control(kCloseWindow).enabled = true;
        control(kCancel).enabled = false;
        refresh();
        return;
    }
    replacedRun_ = journal_.isOpen() ? journal_.runId() : JournalTrust::newRunId();
    // A copy's hash goes into the journal; it is taken from the bytes the copy reads.
    fileSystem_.setHashCopies(journal_.isOpen());
    fileSystem_.setVerifyCopies(job_.verifyCopies);
    fileSystem_.setHoldCopies(!job_.moveFiles);
    heldSteps_.clear();
    refresh();

    int albumsVisited = 0;
    // Albums are addressed by position: a message box pumps messages, and
    // nothing in this window changes the list meanwhile.
    for (std::size_t i = 0; i < job_.albums.size(); ++i) {
        albumsVisited = static_cast<int>(i) + 1;
        Album& album = job_.albums[i];
        const PassEnd end = processAlbum(album);
        if (end == PassEnd::Cancelled) {
            // The copies made before the stop are whole: they take their names.
            placeCopyGroup();
            // Stopped on purpose: nothing is left to resume.
            if (journal_.isOpen()) {
                journal_.ended("end", "cancelled");
            }
            lastRunCancelled_ = true;
            fileSystem_.setHoldCopies(false);
            fileSystem_.setHashCopies(false);
            fileSystem_.setVerifyCopies(false);
            running_ = false;
            control(kPreview).enabled = true;
            if (closeAfterRun_) {
                endDialog(kResultCancel);
            }
            return;
        }
        ++control(kAlbumProgress).position;
        refresh();
        if (end == PassEnd::Done) {
            album.isProcessed = 1;
            if (journal_.isOpen()) {
                journal_.albumDone(album.id);
            }
            continue;
        }
        ++failures_;
        // The user chose to leave those pictures; the run goes on unasked.
        if (end == PassEnd::LeftBehind) {
            continue;
        }
        if (i + 1 == job_.albums.size()) {
            break;
        }
        if (host().messageBox("Move to next album?", "", Icon::Question, Buttons::YesNo) != Answer::Yes) {
            break;
        }
    }
    endRun(albumsVisited);
    running_ = false;
    if (closeAfterRun_) {
        endDialog(kResultOk);
    }
}

void CProcess::endRun(int albumsVisited) {
    placeCopyGroup();
    fileSystem_.setHoldCopies(false);
    fileSystem_.setHashCopies(false);
    fileSystem_.setVerifyCopies(false);
    std::string status;
    if (failures_ == 0) {
        status = formatText("%d albums created succesfuly!", albumsVisited);
    } else if (failures_ == albumsVisited) {
        status = "Operation canceled by user!";
    } else {
        status = formatText("%d albums from %d created succesfuly!", albumsVisited - failures_,
                            static_cast<int>(job_.albums.size()));
    }
    status += runNotes();
    if (journal_.isOpen()) {
        journal_.ended("end", status);
    }
    control(kProcess).enabled = false;
    control(kCloseWindow).enabled = true;
    control(kCancel).enabled = false;
    control(kPreview).enabled = true;
    showStatus(status, "Press 'Close Window' to exit.");
}

CProcess::PassEnd CProcess::processAlbum(Album& album) {
    const bool skipped = album.isProcessed != 0;
    if (skipped) {
        host().messageBox(formatText("Album '%s' is processed. Skip to next album", album.name.c_str()), "Dezoredu",
                          Icon::Question);
    } else {
        control(kProcessStatus).text = formatText("Processing album: %s", album.name.c_str());
    }
    Control& pictureBar = control(kPictureProgress);
    pictureBar.rangeMin = 0;
    pictureBar.rangeMax = album.pictureCount;
    pictureBar.position = 0;
    refresh();
    if (skipped) {
        return PassEnd::Done;
    }

    AlbumPass pass;
    pass.moveThis = job_.moveFiles;
    const AlbumNumbers numbers(job_.catalogue, album);
    pass.numbers = &numbers;
    // By index: the catalogue is not changed while the run pumps messages.
    for (std::size_t i = 0; i < job_.catalogue.size(); ++i) {
        host().pumpMessages();
        if (processCancel_) {
            return PassEnd::Cancelled;
        }
        const PictureRecord& picture = job_.catalogue[i];
        if (picture.albumId != album.id) {
            continue;
        }
        if (alreadyInTarget_.count(picture.path) != 0) {
            ++control(kPictureProgress).position;
            continue;
        }
        if (!processPicture(picture, album, pass) || (copyGroupIsFull() && !placeCopyGroup())) {
            flushFolders(pass);
            return PassEnd::Failed;
        }
        ++control(kPictureProgress).position;
        refresh();
    }
    // The copies count as done once their names are on the disk too.
    if (!flushFolders(pass)) {
        return PassEnd::Failed;
    }
    return pass.leftBehind ? PassEnd::LeftBehind : PassEnd::Done;
}

bool CProcess::processPicture(const PictureRecord& picture, const Album& album, AlbumPass& pass) {
    const std::string shownName = baseText(picture.path) + pictureExtension(picture.path);
    if (job_.moveFiles && pass.moveThis) {
        control(kProcessHint).text = formatText("Moving...%s", shownName.c_str());
    } else {
        control(kProcessHint).text = formatText("Copying...%s", shownName.c_str());
        // A copy instead of a move holds for one picture only.
        if (job_.moveFiles) {
            pass.moveThis = true;
        }
    }
    refresh();

    std::string folder;
    if (!albumPathOf(picture, album, pass, folder)) {
        return false;
    }
    enterFolder(folder, pass);
    const ShotNames shot = buildShotNames(picture, album, job_.formats, pass.numbers);
    std::vector<std::string> names = shot.names();
    bool clash = false;
    for (const std::string& name : names) {
        // Never over a picture of this same run: cameras restart their numbers.
        clash = clash || writtenThisRun_.count(folder + "/" + name) != 0;
    }
    // A file of its own in the place of a raw or a sidecar while the
    // picture's own place is free: the shot takes free names together
    // rather than leave a sidecar beside a stranger's raw.
    clash = clash || (!picture.companions.empty() && !fileSystem_.exists(folder + "/" + names[0]) &&
                      companionInTheWay(picture, folder, names));
    if (clash) {
        // The files of one shot keep one base name: a clash of any renames all.
        // A name is free when nothing is there, or the shot's own file or
        // bytes are: an earlier run cut short put them there, and a second
        // copy under the next name would be a double.
        names = shot.names(freeNumbers_.next(folder + "/" + shot.stem, [&](int n) {
            const std::vector<std::string> candidates = shot.names(n);
            for (std::size_t i = 0; i < candidates.size(); ++i) {
                const std::string place = folder + "/" + candidates[i];
                const std::string& from = i == 0 ? picture.path : picture.companions[i - 1].path;
                if (writtenThisRun_.count(place) != 0 ||
                    (fileSystem_.exists(place) && !sameFileAt(from, place) && !isAlreadyThere(from, place))) {
                    return false;
                }
            }
            return true;
        }));
        ++renamedForClash_;
    }
    bool left = false;
    shotReplaces_ = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && job_.moveFiles) {
            pass.moveThis = true;
        }
        const std::string& source = i == 0 ? picture.path : picture.companions[i - 1].path;
        bool leftThis = false;
        bool placed = false;
        if (!transferFile(source, folder + "/" + names[i], clash, album.id, pass, leftThis, placed)) {
            return false;
        }
        left = left || leftThis;
        if (i == 0 && !placed) {
            // The files travelling with a picture go where it goes: one kept
            // at its source keeps them there too.
            for (const CompanionFile& companion : picture.companions) {
                if (JournalStep* step = journalStepOf(album.id, companion.path)) {
                    journal_.stepFinished(step->number, "left");
                }
            }
            break;
        }
    }
    shotReplaces_ = false;
    if (left) {
        pass.leftBehind = true;
        ++leftAtSource_;
    }
    return true;
}

bool CProcess::companionInTheWay(const PictureRecord& picture, const std::string& folder,
                                 const std::vector<std::string>& names) {
    for (std::size_t i = 1; i < names.size() && i <= picture.companions.size(); ++i) {
        const std::string place = folder + "/" + names[i];
        if (fileSystem_.exists(place) && !sameFileAt(picture.companions[i - 1].path, place) &&
            !isAlreadyThere(picture.companions[i - 1].path, place)) {
            return true;
        }
    }
    return false;
}

bool CProcess::transferFile(const std::string& source, const std::string& target, bool renamed, int albumId,
                            AlbumPass& pass, bool& left, bool& placed) {
    JournalStep* step = journalStepOf(albumId, source);
    TransferEnd end;
    // One look at each side, shared by the checks below and the journal.
    FileIdentity sourceFacts;
    FileIdentity there;
    const bool sourceKnown = identifyFile(source, sourceFacts);
    const bool taken = identifyFile(target, there);
    if (sourceKnown && taken && there.sameFile(sourceFacts)) {
        // Already its own target: nothing is written, nothing removed.
        if (!journalStarted(step, source, target, sourceFacts)) {
            return false;
        }
        journalInPlace(step);
        placed = true;
        placed_.push_back(PlacedPicture{source, target, albumId, false, PlacedPicture::How::InPlace, true,
                                        step != nullptr ? step->sha256 : std::string()});
        writtenThisRun_.insert(target);
        return true;
    }
    if (taken && isAlreadyThere(source, target)) {
        if (!journalStarted(step, source, target, sourceFacts)) {
            return false;
        }
        end = keepAlreadyThere(source, target);
        journalFinished(step, end, true, job_.moveFiles);
        placed_.push_back(PlacedPicture{source, target, albumId, job_.moveFiles && end.placed,
                                        PlacedPicture::How::AlreadyThere, true,
                                        step != nullptr ? step->sha256 : std::string()});
        // The file there is this run's picture now: no other may replace it.
        writtenThisRun_.insert(target);
        left = !end.placed && job_.moveFiles && end.goOn;
        placed = end.placed;
        return end.goOn;
    }
    if (!journalStarted(step, source, target, sourceFacts)) {
        return false;
    }
    const std::size_t heldBefore = fileSystem_.heldCopyCount();
    end = job_.moveFiles ? movePicture(source, target, pass, step) : copyPicture(source, target, step);
    const bool held = fileSystem_.heldCopyCount() > heldBefore;
    if (!held) {
        journalFinished(step, end, false, job_.moveFiles && pass.moveThis);
    }
    placed_.push_back(PlacedPicture{source, target, albumId, end.placed && job_.moveFiles && pass.moveThis,
                                    renamed ? PlacedPicture::How::RenamedForClash : PlacedPicture::How::Written,
                                    end.placed, step != nullptr ? step->sha256 : std::string()});
    if (held) {
        // Its done line follows the group's flush.
        noteHeldCopy(step, source, target);
    }
    placed = end.placed;
    if (end.placed) {
        writtenThisRun_.insert(target);
    } else {
        left = job_.moveFiles && end.goOn;
    }
    return end.goOn;
}

bool CProcess::albumPathOf(const PictureRecord& picture, const Album& album, AlbumPass& pass,
                           std::string& path) {
    path = job_.targetPath;
    const bool first = pass.firstPicture;
    pass.firstPicture = false;
    if (album.dirName != "\\" && album.dirName != "/") {
        const auto levels = dirNameLevels(album.dirName);
        if (!levels) {
            host().messageBox(outsideTargetMessage(album.dirName), "Dezoredu", Icon::Error);
            return false;
        }
        for (std::size_t i = 0; i < levels->size(); ++i) {
            path += "/" + (*levels)[i];
            // Levels above the album's own folder are made quietly; only the
            // last one is the album's folder and asks when it exists.
            if (first && i + 1 < levels->size() && !fileSystem_.exists(path) && fileSystem_.createDirectory(path)) {
                noteFolderMade(path);
            }
        }
        if (first && !levels->empty() && !makeFolder(path)) {
            return false;
        }
    }
    if (album.createSubDir != 0) {
        const auto name = albumFolderName(album);
        if (!name) {
            host().messageBox(outsideTargetMessage(album.name), "Dezoredu", Icon::Error);
            return false;
        }
        path += "/" + *name;
        if (first && !makeFolder(path)) {
            return false;
        }
    }
    if (album.splitByDays != 0) {
        const std::string day = dayName(picture, job_.formats);
        path += "/" + day;
        if (day != pass.lastDay || pass.firstDay) {
            pass.lastDay = day;
            pass.firstDay = false;
            if (!makeFolder(path)) {
                return false;
            }
        }
    }
    if (!staysBeneath(job_.targetPath, path)) {
        host().messageBox(outsideTargetMessage(path.substr(std::min(path.size(), job_.targetPath.size() + 1))),
                          "Dezoredu", Icon::Error);
        return false;
    }
    return true;
}

void CProcess::noteFolderMade(const std::string& path) {
    if (journal_.isOpen()) {
        journal_.folderCreated(journalPath(path));
    }
    FolderIdentity made;
    if (fileSystem_.identify(path, made)) {
        foldersMade_[path] = made;
    }
}

bool CProcess::madeThisRun(const std::string& path) {
    const auto found = foldersMade_.find(path);
    FolderIdentity now;
    return found != foldersMade_.end() && fileSystem_.identify(path, now) && now == found->second;
}

bool CProcess::makeFolder(const std::string& path) {
    if (fileSystem_.createDirectory(path)) {
        noteFolderMade(path);
        return true;
    }
    if (fileSystem_.lastError() == syserr::kAlreadyExists && madeThisRun(path)) {
        return true;
    }
    FileErrorChoice choice = reportFileError(host(), fileSystem_.lastError(), path);
    if (choice.answer == Answer::Yes && choice.retry) {
        // An existing folder is simply used; the result of this try is not asked again.
        fileSystem_.createDirectory(path);
    } else if (choice.answer == Answer::Retry) {
        while (!fileSystem_.createDirectory(path)) {
            choice = reportFileError(host(), fileSystem_.lastError(), path);
            if (choice.answer != Answer::Retry) {
                break;
            }
        }
    }
    return choice.goOn;
}

}  // namespace dz
