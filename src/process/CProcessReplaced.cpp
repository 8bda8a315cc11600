// Yes to "already exists! Overwrite?": the file in the picture's way is not
// destroyed but put aside under the target, where an undo finds it again.
#include "process/CProcess.h"

#include "journal/JournalFolder.h"
#include "platform/PathParts.h"
#include "platform/RootedFolder.h"

#include <cerrno>
#include <unistd.h>

namespace dz {

int CProcess::putAside(const std::string& to, JournalStep* step, std::string& keptAt) {
    keptAt.clear();
    const std::string relative = journalPath(to);
    RootedFolder target;
    if (relative.empty() || !RootedFolder::isCleanRelative(relative)) {
        return EINVAL;
    }
    if (const int error = target.open(job_.targetPath)) {
        return error;
    }
    const std::string kept = std::string(".dezoredu/replaced/") + replacedRun_ + "/" + relative;
    // Every level made beneath the target without following a link, and the user's own.
    int folderFd = -1;
    if (const int error = openOwnFolder(target, folderOf(kept), true, folderFd)) {
        return error;
    }
    ::close(folderFd);
    std::string hash;
    if (const int error = moveBeneath(target, relative, target, kept, hash)) {
        return error;
    }
    if (step != nullptr && journal_.isOpen()) {
        if (const int error = journal_.fileKept(step->number, kept)) {
            // Unrecorded, the file could not be put back by an undo: it goes back now.
            moveBeneath(target, kept, target, relative, hash);
            return error;
        }
        step->keptAt = kept;
    }
    keptAt = kept;
    return 0;
}

void CProcess::putBack(const std::string& to, const std::string& keptAt) {
    RootedFolder target;
    std::string hash;
    if (!keptAt.empty() && target.open(job_.targetPath) == 0) {
        moveBeneath(target, keptAt, target, journalPath(to), hash);
    }
}

}  // namespace dz
