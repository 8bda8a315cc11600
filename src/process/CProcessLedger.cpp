// Pictures already in the target: what the target's own journals say was
// sorted into it, and was not undone since, is left out of the run.
#include "process/CProcess.h"

#include "journal/TargetLedger.h"

namespace dz {

void CProcess::findAlreadyInTarget() {
    alreadyInTarget_.clear();
    if (!job_.leaveOutSorted) {
        return;
    }
    showStatus("Looking for pictures already in the target...", "");
    // Without this user's key no journal is believed, and nothing is left out.
    trust_.loadKey(false);
    TargetLedger ledger = TargetLedger::ofTarget(job_.targetPath, trust_);
    if (ledger.entries().empty()) {
        return;
    }
    std::set<int> albumsToDo;
    for (const Album& album : job_.albums) {
        if (album.isProcessed == 0) {
            albumsToDo.insert(album.id);
        }
    }
    // By index: the catalogue is not changed while the look pumps messages.
    for (std::size_t i = 0; i < job_.catalogue.size() && !processCancel_; ++i) {
        host().pumpMessages();
        const PictureRecord& picture = job_.catalogue[i];
        if (albumsToDo.count(picture.albumId) == 0 || alreadyInTarget_.count(picture.path) != 0) {
            continue;
        }
        // A picture that cannot be read is not left out: the run meets its error as usual.
        std::string error;
        if (ledger.find(picture.path, error) != nullptr) {
            alreadyInTarget_.insert(picture.path);
        }
    }
}

}  // namespace dz
