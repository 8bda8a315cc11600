#pragma once

#include "platform/FileIdentity.h"

#include "process/CProcess.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace dz {

// What a run will do with one picture, worked out before anything is written.
struct PlannedPicture {
    // InPlace: the target is the file itself, which stays as it is.
    enum class Action { Copy, Move, AlreadyThere, RenamedForClash, AsksOverwrite, Refused, InPlace };

    int albumId = 0;
    std::string source;
    std::string target;
    std::uint64_t size = 0;
    Action action = Action::Copy;
    std::string reason;  // why it is refused, or what it meets
    bool travelling = false;  // a file that goes with the picture before it
    FileIdentity sourceFacts;  // the source as planned (inode 0: not reached)
};

struct RunPlan {
    std::vector<PlannedPicture> pictures;  // with the files travelling with them
    std::vector<std::string> newFolders;  // folders the run will make, in order
    std::uint64_t bytes = 0;              // of the pictures to be written
    int clashes = 0;                      // pictures renamed for a name taken in this run

    // The pictures, without the files that travel with them.
    int pictureCount() const;
};

// The run of `job` as the Albums Processing window would make it, for the
// albums not yet processed, with the names it would choose: the same folder
// levels, names and clash rule. Reads the disk, never writes it. Pictures
// in `leaveOut` (catalogue paths), with the files travelling with them, are
// not in the plan.
RunPlan planRun(const ProcessJob& job, FileSystem& fileSystem, const std::set<std::string>* leaveOut = nullptr);

// "copy", "move", "already-there", "renamed-for-clash", "asks-overwrite", "refused", "in-place".
const char* actionName(PlannedPicture::Action action);

}  // namespace dz
