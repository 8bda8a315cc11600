#pragma once

#include "platform/ByteSource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dz {

// Entry attribute bits as a directory listing reports them.
namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;     // dot-names
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;    // plain files
}  // namespace attr

// The folder a path reaches, links followed: its device and its inode there.
// Two paths to one folder give the same identity, so a walk can tell a folder
// it has been in already (a link back up the tree, two links to one folder).
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    auto operator<=>(const FolderIdentity&) const = default;
};

struct DirEntry {
    std::string name;
    std::uint32_t attributes = 0;
    // 100-ns intervals since 1601-01-01 UTC: birth time where the file system
    // keeps one, else the modification time.
    std::int64_t creationTime = 0;
    // The same clock: the last modification.
    std::int64_t modifiedTime = 0;
    std::uint64_t size = 0;

    bool isDirectory() const { return (attributes & attr::kDirectory) != 0; }
};

class Sha256;
class TempFile;

// A copy whose bytes are written but not yet flushed nor named.
struct HeldCopy {
    std::string source;
    std::string target;
    std::uint64_t size = 0;
    std::shared_ptr<TempFile> file;
    std::shared_ptr<Sha256> hash;  // still being taken, when copies are hashed
};

// A held copy now named, with the SHA-256 of its bytes when copies are hashed.
struct PlacedCopy {
    std::string target;
    std::string sha256;
};

// A held copy that could not be given its name, and why (SystemError.h).
struct UnplacedCopy {
    std::string target;
    int error = 0;
};

// The file system as the program uses it. Every operation records its error
// number (see SystemError.h) for lastError(). Virtual so that tests can put a
// failing file system in front of the real one.
class FileSystem {
public:
    // Waits for the hashes of copies still held.
    virtual ~FileSystem();

    // Entries of `folder` whose names match `mask` ('*' and '?', letters
    // compared case-insensitively), sorted by name; "." and ".." are never
    // listed. False when the folder cannot be listed.
    virtual bool listDirectory(const std::string& folder, const std::string& mask,
                               std::vector<DirEntry>& entries);

    // A file opened for binary reading, or null. Opening a folder fails.
    virtual std::unique_ptr<ByteSource> openRead(const std::string& path);

    virtual bool createDirectory(const std::string& path);
    virtual bool exists(const std::string& path);
    // The size of the file `path` (links followed).
    virtual bool fileSize(const std::string& path, std::uint64_t& size);
    // False when `path` cannot be reached.
    virtual bool identify(const std::string& path, FolderIdentity& identity);

    // Free bytes available to the caller on the file system that holds `path`.
    virtual bool freeSpace(const std::string& path, std::uint64_t& bytes);

    // The mount point of the file system that holds `path` (or its nearest
    // existing folder), "/" for the root file system; empty when none can be
    // found. Paths with the same text are on one mount, so a move between
    // them is a rename.
    virtual std::string volumeOf(const std::string& path);

    // Copies `from` to `to`, with its file times and permission bits (less
    // the umask, as for any new file). The bytes go to a temporary file
    // beside `to` first, so `to` never holds a partial copy, and are flushed
    // to the disk before the copy takes its name (flushFolder then makes the
    // name itself last). Without `replace` an existing `to` is refused
    // (kFileExists) and left untouched. A source that cannot be read is
    // reported as a read error, a target that cannot be written as a write error.
    virtual bool copyFile(const std::string& from, const std::string& to, bool replace);

    // The SHA-256 of the bytes of `path`, as 64 hex digits.
    virtual bool hashFile(const std::string& path, std::string& sha256);

    // Removes the folder `path` when it is empty; a folder that still holds
    // something stays and is no error (`removed` tells).
    virtual bool removeEmptyFolder(const std::string& path, bool& removed);

    // Whether the files `a` and `b` hold the same bytes; false, with the
    // error, when either cannot be read.
    virtual bool compareFiles(const std::string& a, const std::string& b, bool& same);

    // Flushes the entries of `folder` to the disk, so that the names made in
    // it survive a power cut; a file system that cannot do so is no error.
    virtual bool flushFolder(const std::string& folder);

    // Removes what copies killed on the way left in `folder`: the hidden
    // ".<name>.dzpart-XXXXXX" files that no copy holds open. Returns how many.
    virtual int removePartialFiles(const std::string& folder);

    // Copies flush their data by default; the benchmark turns it off to show
    // what the flush costs.
    void setFlushCopies(bool flush) { flushCopies_ = flush; }
    // Copies hash the bytes as they pass (a journal keeps the hash); the
    // last successful copy's SHA-256 as 64 hex digits, else empty (a held
    // copy's comes with its placing).
    void setHashCopies(bool hash) { hashCopies_ = hash; }
    // Copies are read back from the disk once flushed (their cached pages
    // dropped first) and compared with the source; a mismatch is a failed write.
    void setVerifyCopies(bool verify) { verifyCopies_ = verify; }
    // Copies are held, written but unnamed, until placeHeldCopies: one flush
    // of the file system for a group of copies instead of one for each, and
    // still no name on a file whose bytes are not on the disk.
    void setHoldCopies(bool hold) { holdCopies_ = hold; }
    std::size_t heldCopyCount() const { return held_.size(); }
    std::uint64_t heldCopyBytes() const { return heldBytes_; }
    // Flushes the held copies' file system once, reads each back when
    // verifying, names each and flushes their folders. The ones that could
    // not be named go to `unplaced`, their bytes dropped, the others to
    // `placed`. False when any failed.
    bool placeHeldCopies(std::vector<UnplacedCopy>& unplaced, std::vector<PlacedCopy>& placed);
    const std::string& lastCopyHash() const { return lastCopyHash_; }

    // Moves `from` to `to`: a rename within one file system (an existing
    // `to` refused with kAlreadyExists unless `replace`); across file systems
    // a flushed and compared copy, and only then the source is removed. A
    // move that fails leaves the source file as it was; when only the removal
    // fails, both files exist and the removal's error is reported.
    bool moveFile(const std::string& from, const std::string& to, bool replace);

    virtual bool removeFile(const std::string& path);

    // Writes `bytes` as the whole file `path`, created or replaced. The bytes
    // go to a temporary file beside it first, so a write that fails leaves an
    // earlier file as it was; an existing file keeps its permission bits.
    virtual bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

    // The error number of the last failed operation of this object.
    int lastError() const { return lastError_; }

protected:
    void setLastError(int error) { lastError_ = error; }

    // The steps of moveFile, each one a file operation of its own so that a
    // test can make any of them fail.
    // A rename; kNotSameDevice when `to` is on another file system.
    virtual bool renameFile(const std::string& from, const std::string& to, bool replace);
    // A copy for a move: written, flushed to the disk and read back and
    // compared with the source before it counts as done.
    virtual bool copyFlushed(const std::string& from, const std::string& to, bool replace);

private:
    int lastError_ = 0;
    bool flushCopies_ = true;
    bool hashCopies_ = false;
    bool verifyCopies_ = false;
    bool holdCopies_ = false;
    std::vector<HeldCopy> held_;
    std::uint64_t heldBytes_ = 0;
    std::string lastCopyHash_;
};

// Wildcard match of a file name against a mask, letters folded.
bool matchesMask(const std::string& name, const std::string& mask);

}  // namespace dz
