// The transfer of one picture: copy or move, the clash with a picture of the
// same run, and a target that already holds the picture.
#include "process/CProcess.h"

#include "exif/TextFormat.h"
#include "journal/TargetLedger.h"
#include "platform/FileIdentity.h"
#include "platform/SystemError.h"
#include "process/FileErrorPrompt.h"

namespace dz {

namespace {

// Names both files of an overwrite question, so that the user can tell the
// picture from the file in its way.
std::string bothFiles(const std::string& from, const std::string& to) {
    return "Picture: " + from + "\nIn the target: " + to;
}

}  // namespace

void CProcess::enterFolder(const std::string& folder, AlbumPass& pass) {
    if (foldersEntered_.insert(folder).second) {
        fileSystem_.removePartialFiles(folder);
    }
    if (pass.folders.empty() || pass.folders.back() != folder) {
        pass.folders.push_back(folder);
    }
}

bool CProcess::flushFolders(AlbumPass& pass) {
    // The album's held copies are flushed and named first.
    const bool groupPlaced = placeCopyGroup();
    std::set<std::string> done;
    for (const std::string& folder : pass.folders) {
        if (!done.insert(folder).second) {
            continue;
        }
        while (!fileSystem_.flushFolder(folder)) {
            const FileErrorChoice choice = reportFileError(host(), fileSystem_.lastError(), folder);
            if (!choice.retry) {
                if (!choice.goOn) {
                    return false;
                }
                break;
            }
        }
    }
    pass.folders.clear();
    // The album's copies are on the disk; so are the lines that tell of them.
    if (journal_.isOpen()) {
        journal_.flush();
    }
    return groupPlaced;
}

bool CProcess::isAlreadyThere(const std::string& from, const std::string& to) {
    bool same = false;
    return fileSystem_.exists(to) && fileSystem_.compareFiles(from, to, same) && same;
}

CProcess::TransferEnd CProcess::keepAlreadyThere(const std::string& from, const std::string& to) {
    // Removing the "source" of a file that is its own target removes the picture.
    if (!job_.moveFiles || sameFileAt(from, to)) {
        return {true, true};
    }
    // The bytes were compared just now: the source may go.
    while (!fileSystem_.removeFile(from)) {
        const FileErrorChoice choice = reportFileError(host(), fileSystem_.lastError(), from);
        if (!choice.retry) {
            return {choice.goOn, false};
        }
    }
    return {true, true};
}

CProcess::TransferEnd CProcess::copyPicture(const std::string& from, const std::string& to, JournalStep* step) {
    std::string keptAt;
    for (;;) {
        if (fileSystem_.copyFile(from, to, false)) {
            return {true, true};
        }
        const int error = fileSystem_.lastError();
        if (error == syserr::kFileExists && shotReplaces_ && keptAt.empty()) {
            if (!keepInTheWay(to, step, keptAt)) {
                return {false, false};
            }
            continue;
        }
        const std::string detail = error == syserr::kFileExists ? bothFiles(from, to) : std::string();
        const FileErrorChoice choice = reportFileError(host(), error, from, detail);
        if (!choice.retry) {
            // No keeps the existing file, Ignore passes the picture over.
            putBack(to, keptAt);
            return {choice.goOn, false};
        }
        // Only the overwrite question's Yes lets the picture take the place.
        if (choice.answer == Answer::Yes && keptAt.empty()) {
            if (!keepInTheWay(to, step, keptAt)) {
                return {false, false};
            }
            shotReplaces_ = true;
        }
    }
}

bool CProcess::keepInTheWay(const std::string& to, JournalStep* step, std::string& keptAt) {
    while (const int error = putAside(to, step, keptAt)) {
        const FileErrorChoice choice = reportFileError(host(), mapErrno(error, FileOperation::Move), to);
        if (!choice.retry) {
            return false;
        }
    }
    return true;
}

CProcess::TransferEnd CProcess::movePicture(const std::string& from, const std::string& to, AlbumPass& pass,
                                            JournalStep* step) {
    std::string keptAt;
    for (;;) {
        if (fileSystem_.moveFile(from, to, false)) {
            return {true, true};
        }
        int error = fileSystem_.lastError();
        // A file in the way is put to the user as the overwrite question, so
        // that no picture is replaced by an answer to another question.
        if (error == syserr::kAlreadyExists) {
            error = syserr::kFileExists;
        }
        if (error == syserr::kFileExists && shotReplaces_ && keptAt.empty()) {
            if (!keepInTheWay(to, step, keptAt)) {
                return {false, false};
            }
            continue;
        }
        const std::string detail = error == syserr::kFileExists ? bothFiles(from, to) : std::string();
        const FileErrorChoice choice = reportFileError(host(), error, from, detail);
        if (choice.retry) {
            if (choice.answer == Answer::Yes && keptAt.empty()) {
                if (!keepInTheWay(to, step, keptAt)) {
                    return {false, false};
                }
                shotReplaces_ = true;
            }
            continue;
        }
        if (choice.answer != Answer::Ignore) {
            putBack(to, keptAt);
            return {choice.goOn, false};
        }
        if (fileSystem_.moveFile(from, to, false)) {
            return {true, true};
        }
        if (host().messageBox("File could not be moved. Copy instead of move?", "", Icon::Question,
                              Buttons::OkCancel) != Answer::Ok) {
            putBack(to, keptAt);
            return {false, false};
        }
        pass.moveThis = false;
        return copyPicture(from, to, step);
    }
}

std::string CProcess::runNotes() const {
    std::string notes;
    if (renamedForClash_ == 1) {
        notes += " 1 picture got a name of its own: its name was taken by another picture of this run.";
    } else if (renamedForClash_ > 1) {
        notes += formatText(" %d pictures got names of their own: their names were taken by other pictures of "
                            "this run.",
                            renamedForClash_);
    }
    if (!alreadyInTarget_.empty()) {
        notes += " " + alreadyInTargetText(static_cast<int>(alreadyInTarget_.size())) + ".";
    }
    if (leftAtSource_ == 1) {
        notes += " 1 picture stayed in the source folder.";
    } else if (leftAtSource_ > 1) {
        notes += formatText(" %d pictures stayed in the source folder.", leftAtSource_);
    }
    return notes;
}

}  // namespace dz
