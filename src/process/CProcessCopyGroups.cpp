// Copies in groups: each copy's bytes are written at once but flushed and
// named with its group (a few hundred files, 64 MiB or one second), one
// flush of the file system for all of them instead of one for each. A name
// never stands on bytes that are not on the disk, and the journal's start
// lines reach the disk before any name of their group.
#include "process/CProcess.h"

#include "process/FileErrorPrompt.h"

#include <algorithm>

namespace dz {

namespace {

constexpr std::size_t kGroupFiles = 256;
constexpr std::uint64_t kGroupBytes = 64ull << 20;
constexpr std::chrono::seconds kGroupTime{1};

}  // namespace

void CProcess::noteHeldCopy(JournalStep* step, const std::string& source, const std::string& target) {
    if (heldSteps_.empty()) {
        groupStarted_ = std::chrono::steady_clock::now();
    }
    heldSteps_.push_back(HeldStep{step, placed_.size() - 1, source, target});
}

bool CProcess::copyGroupIsFull() const {
    return fileSystem_.heldCopyCount() >= kGroupFiles || fileSystem_.heldCopyBytes() >= kGroupBytes ||
           (fileSystem_.heldCopyCount() > 0 && std::chrono::steady_clock::now() - groupStarted_ >= kGroupTime);
}

bool CProcess::placeCopyGroup() {
    std::vector<HeldStep> group;
    group.swap(heldSteps_);
    if (fileSystem_.heldCopyCount() == 0) {
        return true;
    }
    if (journal_.isOpen()) {
        journal_.flush();
    }
    std::vector<UnplacedCopy> unplaced;
    std::vector<PlacedCopy> named;
    fileSystem_.placeHeldCopies(unplaced, named);
    bool goOn = true;
    for (const HeldStep& held : group) {
        const auto failed = std::find_if(unplaced.begin(), unplaced.end(),
                                         [&held](const UnplacedCopy& u) { return u.target == held.target; });
        bool placed = failed == unplaced.end();
        if (placed) {
            const auto hashed = std::find_if(named.begin(), named.end(),
                                             [&held](const PlacedCopy& p) { return p.target == held.target; });
            if (hashed != named.end() && held.step != nullptr) {
                held.step->sha256 = hashed->sha256;
            }
        } else {
            // Asked like any failed write; a retry copies it again on its own.
            int error = failed->error;
            for (;;) {
                const FileErrorChoice choice = reportFileError(host(), error, held.source);
                if (!choice.retry) {
                    goOn = goOn && choice.goOn;
                    break;
                }
                fileSystem_.setHoldCopies(false);
                placed = fileSystem_.copyFile(held.source, held.target, false);
                fileSystem_.setHoldCopies(true);
                if (placed) {
                    if (held.step != nullptr) {
                        held.step->sha256 = fileSystem_.lastCopyHash();
                    }
                    break;
                }
                error = fileSystem_.lastError();
            }
        }
        if (!placed) {
            placed_[held.placedIndex].inPlace = false;
            writtenThisRun_.erase(held.target);
        } else if (held.step != nullptr) {
            placed_[held.placedIndex].sha256 = held.step->sha256;
        }
        if (held.step != nullptr) {
            journal_.stepFinished(held.step->number, placed ? "copied" : "failed", placed ? held.step->sha256 : "");
        }
    }
    return goOn;
}

}  // namespace dz
