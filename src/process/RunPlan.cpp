#include "process/RunPlan.h"

#include "process/AlbumFolders.h"
#include "process/PictureName.h"
#include "platform/FileIdentity.h"

#include <optional>
#include <set>

namespace dz {

namespace {

// The album folder of a picture, or the reason it has none.
std::optional<std::string> folderOf(const PictureRecord& picture, const Album& album, const ProcessJob& job,
                                    std::string& reason) {
    std::string path = job.targetPath;
    if (album.dirName != "\\" && album.dirName != "/") {
        const auto levels = dirNameLevels(album.dirName);
        if (!levels) {
            reason = outsideTargetMessage(album.dirName);
            return std::nullopt;
        }
        for (const std::string& level : *levels) {
            path += "/" + level;
        }
    }
    if (album.createSubDir != 0) {
        const auto name = albumFolderName(album);
        if (!name) {
            reason = outsideTargetMessage(album.name);
            return std::nullopt;
        }
        path += "/" + *name;
    }
    if (album.splitByDays != 0) {
        path += "/" + dayName(picture, job.formats);
    }
    return path;
}

class Planner {
public:
    Planner(const ProcessJob& job, FileSystem& fs, const std::set<std::string>* leaveOut)
        : job_(job), fs_(fs), leaveOut_(leaveOut) {}

    RunPlan plan() {
        for (const Album& album : job_.albums) {
            if (album.isProcessed != 0) {
                continue;
            }
            const AlbumNumbers numbers(job_.catalogue, album);
            for (const PictureRecord& picture : job_.catalogue) {
                if (picture.albumId == album.id && (leaveOut_ == nullptr || leaveOut_->count(picture.path) == 0)) {
                    planPicture(picture, album, numbers);
                }
            }
        }
        return std::move(plan_);
    }

private:
    void planPicture(const PictureRecord& picture, const Album& album, const AlbumNumbers& numbers) {
        std::vector<PlannedPicture> files(1 + picture.companions.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            files[i].albumId = album.id;
            files[i].source = i == 0 ? picture.path : picture.companions[i - 1].path;
            files[i].size = i == 0 ? picture.size : picture.companions[i - 1].size;
            files[i].travelling = i > 0;
        }
        std::string reason;
        const auto folder = folderOf(picture, album, job_, reason);
        if (!folder) {
            for (PlannedPicture& planned : files) {
                planned.action = PlannedPicture::Action::Refused;
                planned.reason = reason;
                plan_.pictures.push_back(std::move(planned));
            }
            return;
        }
        noteFolders(*folder);
        const ShotNames shot = buildShotNames(picture, album, job_.formats, &numbers);
        std::vector<std::string> names = shot.names();
        bool clash = false;
        for (const std::string& name : names) {
            clash = clash || taken_.count(*folder + "/" + name) != 0;
        }
        // A file of its own in the place of a raw or a sidecar, the picture's
        // own place free: the shot takes free names together.
        bool companionTaken = false;
        if (!clash && files.size() > 1 && !fs_.exists(*folder + "/" + names[0])) {
            for (std::size_t i = 1; i < files.size(); ++i) {
                const std::string place = *folder + "/" + names[i];
                bool same = false;
                companionTaken = companionTaken || (fs_.exists(place) && !sameFileAt(files[i].source, place) &&
                                  !(fs_.compareFiles(files[i].source, place, same) && same));
            }
            clash = companionTaken;
        }
        // The files of one shot keep one base name, so a clash of any renames all.
        if (clash) {
            // As the run does: a name holding the shot's own file or bytes is free.
            int n = 2;
            for (;; ++n) {
                const std::vector<std::string> candidates = shot.names(n);
                bool free = true;
                for (std::size_t i = 0; i < candidates.size() && free; ++i) {
                    const std::string place = *folder + "/" + candidates[i];
                    bool same = false;
                    free = taken_.count(place) == 0 &&
                           (!fs_.exists(place) || sameFileAt(files[i].source, place) ||
                            (fs_.compareFiles(files[i].source, place, same) && same));
                }
                if (free) {
                    break;
                }
            }
            names = shot.names(n);
            ++plan_.clashes;
        }
        const std::vector<std::string> wanted = shot.names();
        for (std::size_t i = 0; i < files.size(); ++i) {
            PlannedPicture& planned = files[i];
            planned.target = *folder + "/" + names[i];
            planned.action = job_.moveFiles ? PlannedPicture::Action::Move : PlannedPicture::Action::Copy;
            FileIdentity there;
            const bool sourceKnown = identifyFile(planned.source, planned.sourceFacts);
            const bool taken = identifyFile(planned.target, there);
            bool same = false;
            if (sourceKnown && taken && there.sameFile(planned.sourceFacts)) {
                planned.action = PlannedPicture::Action::InPlace;
            } else if (taken && fs_.compareFiles(planned.source, planned.target, same) && same) {
                planned.action = PlannedPicture::Action::AlreadyThere;
            } else if (clash) {
                planned.reason = companionTaken
                                     ? "a file travelling with it would meet another file: " + *folder + "/" + wanted[i]
                                     : "the name is taken by another picture of this run: " + *folder + "/" + wanted[i];
                planned.action = PlannedPicture::Action::RenamedForClash;
            } else if (taken) {
                planned.action = PlannedPicture::Action::AsksOverwrite;
                planned.reason = "another file is there";
            }
            // The run keeps every place it fills, or finds filled, for its own picture.
            taken_.insert(planned.target);
            if (planned.action != PlannedPicture::Action::AlreadyThere &&
                planned.action != PlannedPicture::Action::AsksOverwrite &&
                planned.action != PlannedPicture::Action::InPlace) {
                plan_.bytes += planned.size;
            }
            plan_.pictures.push_back(std::move(planned));
        }
    }

    // Every level from the target down that is not there yet.
    void noteFolders(const std::string& folder) {
        std::size_t at = job_.targetPath.size();
        while (at < folder.size()) {
            const std::size_t next = folder.find('/', at + 1);
            at = next == std::string::npos ? folder.size() : next;
            const std::string level = folder.substr(0, at);
            if (known_.insert(level).second && !fs_.exists(level)) {
                plan_.newFolders.push_back(level);
            }
        }
    }

    const ProcessJob& job_;
    FileSystem& fs_;
    const std::set<std::string>* leaveOut_;
    RunPlan plan_;
    std::set<std::string> taken_;
    std::set<std::string> known_;
};

}  // namespace

int RunPlan::pictureCount() const {
    int count = 0;
    for (const PlannedPicture& planned : pictures) {
        count += planned.travelling ? 0 : 1;
    }
    return count;
}

RunPlan planRun(const ProcessJob& job, FileSystem& fileSystem, const std::set<std::string>* leaveOut) {
    return Planner(job, fileSystem, leaveOut).plan();
}

const char* actionName(PlannedPicture::Action action) {
    switch (action) {
    case PlannedPicture::Action::Copy: return "copy";
    case PlannedPicture::Action::Move: return "move";
    case PlannedPicture::Action::AlreadyThere: return "already-there";
    case PlannedPicture::Action::RenamedForClash: return "renamed-for-clash";
    case PlannedPicture::Action::AsksOverwrite: return "asks-overwrite";
    case PlannedPicture::Action::Refused: return "refused";
    case PlannedPicture::Action::InPlace: return "in-place";
    }
    return "?";
}

}  // namespace dz
