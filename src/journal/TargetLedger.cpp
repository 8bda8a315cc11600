#include "journal/TargetLedger.h"

#include "journal/JournalFolder.h"
#include "journal/JournalGate.h"

#include <cerrno>

namespace dz {

namespace {

// A finished step that leaves a picture in the target; the files
// travelling with it go wherever it goes. A step an undo took back reads
// as undone, whether the undo went through the whole run or not.
bool placesPicture(const JournalStep& step) {
    return step.state == JournalStep::State::Finished && isPlacedOutcome(step.outcome) && !step.travelling;
}

}  // namespace

TargetLedger TargetLedger::ofTarget(const std::string& targetFolder, const JournalTrust& trust) {
    TargetLedger ledger;
    ledger.targetFolder_ = targetFolder;
    if (ledger.target_.open(targetFolder) != 0) {
        return ledger;  // no target yet, or not a folder: nothing sorted into it
    }
    const FolderStamp stamp = ledger.target_.stamp();
    for (const std::string& path : journalsOf(targetFolder)) {
        std::string refusal;
        std::optional<AdmittedRun> admitted = admitJournal(path, trust, refusal);
        if (!admitted) {
            ledger.refusals_.push_back(path + ": " + refusal);
            continue;
        }
        // The gate opened the target on its own; a folder swapped in between is not this one.
        if (!admitted->target.stamp().matches(stamp)) {
            ledger.refusals_.push_back(path + ": the target folder changed while its journals were read");
            continue;
        }
        const RunRecord& run = admitted->run;
        for (const JournalStep& step : run.steps) {
            if (placesPicture(step)) {
                ledger.add(LedgerEntry{run.runId, step.albumId, step.place(), step.size, step.sha256, step.identity});
            }
        }
    }
    return ledger;
}

TargetLedger::IdentityKey TargetLedger::keyOf(const FileIdentity& identity) {
    return {identity.device, identity.inode, identity.size, identity.modifiedNs};
}

void TargetLedger::add(LedgerEntry entry) {
    const std::size_t index = entries_.size();
    bySize_[entry.size].push_back(index);
    // Only a source whose bytes the run read is known again by its identity alone.
    if (entry.sourceIdentity.inode != 0 && !entry.sha256.empty() && entry.sourceIdentity.size == entry.size) {
        bySource_.emplace(keyOf(entry.sourceIdentity), index);
    }
    entries_.push_back(std::move(entry));
}

int TargetLedger::quickKey(const OpenedPicture& file, const std::string*& key) {
    Hashes& hashes = hashes_[keyOf(file.identity())];
    if (hashes.quick.empty()) {
        if (const int error = quickKeyOf(file, file.identity().size, hashes.quick)) {
            return error;
        }
    }
    key = &hashes.quick;
    return 0;
}

int TargetLedger::fullHash(const OpenedPicture& file, const std::string*& sha256) {
    Hashes& hashes = hashes_[keyOf(file.identity())];
    if (hashes.full.empty()) {
        if (const int error = fullHashOf(file, file.identity().size, hashes.full)) {
            return error;
        }
    }
    sha256 = &hashes.full;
    return 0;
}

std::vector<std::size_t> TargetLedger::sameQuickKey(const OpenedPicture& candidate, const std::string& key) {
    std::vector<std::size_t> left;
    for (const std::size_t index : bySize_[candidate.identity().size]) {
        const LedgerEntry& entry = entries_[index];
        OpenedPicture placed;
        const std::string* placedKey = nullptr;
        const bool there = target_.isOpen() && placed.openBeneath(target_, entry.place) == 0 &&
                           placed.identity().size == entry.size && quickKey(placed, placedKey) == 0;
        if (there) {
            if (*placedKey == key) {
                left.push_back(index);
            }
            continue;
        }
        // Deleted or changed since: its journal's hash still tells the picture, so
        // a picture the user took out of the target is not brought back.
        if (!entry.sha256.empty()) {
            left.push_back(index);
        }
    }
    return left;
}

bool TargetLedger::confirms(std::size_t index, const std::string& sha256) {
    const LedgerEntry& entry = entries_[index];
    if (!entry.sha256.empty()) {
        return entry.sha256 == sha256;
    }
    // A rename read no bytes: the placed file's own tell.
    OpenedPicture placed;
    const std::string* placedHash = nullptr;
    return target_.isOpen() && placed.openBeneath(target_, entry.place) == 0 &&
           placed.identity().size == entry.size && fullHash(placed, placedHash) == 0 && *placedHash == sha256;
}

const LedgerEntry* TargetLedger::find(const std::string& path, std::string& error) {
    error.clear();
    OpenedPicture candidate;
    if (const int failure = candidate.open(path)) {
        error = path + ": " + unreadableText(failure);
        return nullptr;
    }
    // The very file a run read, unchanged since: known without a byte read.
    if (const auto known = bySource_.find(keyOf(candidate.identity())); known != bySource_.end()) {
        return &entries_[known->second];
    }
    if (bySize_.find(candidate.identity().size) == bySize_.end()) {
        return nullptr;
    }
    const std::string* key = nullptr;
    if (const int failure = quickKey(candidate, key)) {
        error = path + ": " + unreadableText(failure);
        return nullptr;
    }
    const std::vector<std::size_t> left = sameQuickKey(candidate, *key);
    if (left.empty()) {
        return nullptr;
    }
    const std::string* sha256 = nullptr;
    if (const int failure = fullHash(candidate, sha256)) {
        error = path + ": " + unreadableText(failure);
        return nullptr;
    }
    for (const std::size_t index : left) {
        if (confirms(index, *sha256)) {
            return &entries_[index];
        }
    }
    return nullptr;
}

std::string albumFolderOf(const LedgerEntry& entry) {
    const std::size_t slash = entry.place.rfind('/');
    return slash == std::string::npos ? std::string() : entry.place.substr(0, slash);
}

std::string alreadyInTargetText(int count) {
    return count == 1 ? "1 picture is already in the target"
                      : std::to_string(count) + " pictures are already in the target";
}

}  // namespace dz
