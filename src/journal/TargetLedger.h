#pragma once

#include "journal/JournalTrust.h"
#include "journal/PictureBytes.h"
#include "platform/FileIdentity.h"
#include "platform/RootedFolder.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace dz {

// A picture a run placed in the target and no undo took back, as its
// journal tells it.
struct LedgerEntry {
    std::string runId;
    int albumId = 0;
    std::string place;           // below the target
    std::uint64_t size = 0;
    std::string sha256;          // of its bytes, where the run read them (a rename reads none)
    FileIdentity sourceIdentity; // the source file as the run found it
};

// What a target holds, known only from its own journals, each one believed
// only through the journal gate: a journal planted or changed by someone
// else adds nothing, and an undo takes its pictures out again. Asks whether
// a file's bytes are among them, reading as little as it can.
class TargetLedger {
public:
    // Every admitted journal of the target; refusals as "journal: why".
    static TargetLedger ofTarget(const std::string& targetFolder, const JournalTrust& trust);

    const std::string& targetFolder() const { return targetFolder_; }
    const std::vector<LedgerEntry>& entries() const { return entries_; }
    const std::vector<std::string>& refusals() const { return refusals_; }

    // The entry holding the same bytes as the file at `path`, or nullptr when
    // it is new; `error` set (and nullptr) when the candidate cannot be read.
    const LedgerEntry* find(const std::string& path, std::string& error);

private:
    // What was read of one file's bytes, by the file's identity: a file
    // changed since has another.
    struct Hashes {
        std::string quick;
        std::string full;
    };
    using IdentityKey = std::tuple<std::uint64_t, std::uint64_t, std::uint64_t, std::int64_t>;
    static IdentityKey keyOf(const FileIdentity& identity);

    void add(LedgerEntry entry);
    // The quick key, or the full hash, of an open file, read once per ledger; 0 or an errno value.
    int quickKey(const OpenedPicture& file, const std::string*& key);
    int fullHash(const OpenedPicture& file, const std::string*& sha256);
    // The entries of the candidate's size whose placed file, where it is
    // still there, starts and ends as the candidate does.
    std::vector<std::size_t> sameQuickKey(const OpenedPicture& candidate, const std::string& key);
    // Whether the candidate's full hash is entry `index`'s bytes.
    bool confirms(std::size_t index, const std::string& sha256);

    std::string targetFolder_;
    RootedFolder target_;
    std::vector<LedgerEntry> entries_;
    std::vector<std::string> refusals_;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> bySize_;
    std::map<IdentityKey, std::size_t> bySource_;  // entries with a sha256 only
    std::map<IdentityKey, Hashes> hashes_;
};

// The folder of an entry's place below the target; "" for the target itself.
std::string albumFolderOf(const LedgerEntry& entry);

// "312 pictures are already in the target", "1 picture is already in the target".
std::string alreadyInTargetText(int count);

}  // namespace dz
