// The file system's writing operations: copy, move, remove, write, and the
// volume a path lies on.
#include "platform/FileSystem.h"
#include "platform/Sha256.h"

#include "platform/ChunkHasher.h"
#include "platform/DescriptorIo.h"
#include "platform/PathParts.h"
#include "platform/FileHash.h"
#include "platform/SystemError.h"
#include "platform/TempFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// Asked of copy_file_range per call; the kernel copies what it can.
constexpr std::size_t kRangeChunk = 1 << 30;

int mapped(int error, FileOperation operation, const std::string& path) {
    return mapErrno(error, operation, error == ENOENT && parentMissing(path));
}

// A descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

// Streams the rest of `in` into `out`, inside the kernel where it can. Both
// descriptors' offsets advance, so the buffer copy can take over at any
// point where the kernel refuses. An end before the first byte goes through
// the buffer too: some files report no size to the kernel copy. So does an
// I/O error, which the kernel copy does not pin on either side. With `hash`
// the bytes copied are hashed from the copy's cached pages on the hashing
// thread, so the source is read once and the copy stays in the kernel.
// With `hashLater` the hash is left to finish with the thread's hasher, so
// the next file's copy need not wait for it.
int copyBytes(int in, int out, bool& readFailed, Sha256* hash = nullptr, bool hashLater = false) {
    readFailed = false;
    bool copiedAny = false;
    ChunkHasher& hasher = threadHasher();
    std::int64_t written = 0;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kRangeChunk, 0);
        if (n > 0) {
            if (hash != nullptr) {
                hasher.hashRange(*hash, out, written, static_cast<std::size_t>(n));
            }
            written += n;
            copiedAny = true;
            continue;
        }
        if (n == 0) {
            if (copiedAny) {
                return hashLater ? 0 : hasher.finish();
            }
            break;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP || errno == EIO) {
            break;
        }
        const int error = errno;
        hasher.finish();
        return error;
    }
    return copyThrough(in, out, readFailed, hash);
}

// Whether the copy on the disk holds the source's bytes. The copy's cached
// pages are dropped first (they are clean after the flush), so the
// comparison reads what the device gives back.
int compareWithSource(int source, int copy, bool& same) {
    same = false;
    struct stat a {};
    struct stat b {};
    if (::fstat(source, &a) != 0 || ::fstat(copy, &b) != 0) {
        return errno;
    }
    if (a.st_size != b.st_size) {
        return 0;
    }
    ::posix_fadvise(copy, 0, 0, POSIX_FADV_DONTNEED);
    const auto left = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    const auto right = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    off_t offset = 0;
    for (;;) {
        std::size_t gotLeft = 0;
        std::size_t gotRight = 0;
        if (const int error = readAt(source, left.get(), kBlockSize, offset, gotLeft)) {
            return error;
        }
        if (const int error = readAt(copy, right.get(), kBlockSize, offset, gotRight)) {
            return error;
        }
        if (gotLeft != gotRight || std::memcmp(left.get(), right.get(), gotLeft) != 0) {
            return 0;
        }
        if (gotLeft == 0) {
            same = offset == a.st_size;
            return 0;
        }
        offset += static_cast<off_t>(gotLeft);
    }
}

// Flushes the folder that holds `path`, so a new name in it survives a crash.
int flushFolderOf(const std::string& path) {
    return flushFolderEntries(folderOf(path));
}

struct CopyWay {
    bool replace = false;
    bool flushed = false;              // flushed, read back and compared before it is put in place
    bool dataFlushed = false;          // its data on the disk before it is put in place
    FileOperation operation = FileOperation::Copy;  // steers the error numbers
    // Hashes the bytes as they are copied (see copyBytes).
    Sha256* hash = nullptr;
    // Neither flushed nor named: the file goes here, to be placed with its
    // group, its hash finished then.
    std::shared_ptr<TempFile>* held = nullptr;
};

// Copies `from` to `to` through a temporary file beside `to`. Returns 0 or the
// program's error number; on failure `to` is as it was and no temporary file
// stays behind.
int copyThroughTemp(const std::string& from, const std::string& to, const CopyWay& way) {
    const FileOperation op = way.operation;
    const Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0) {
        return errno == EIO ? mapErrno(EIO, FileOperation::Read) : mapped(errno, op, from);
    }
    struct stat st {};
    if (::fstat(source.get(), &st) != 0) {
        return mapErrno(errno, FileOperation::Read);
    }
    if (!S_ISREG(st.st_mode)) {
        return mapErrno(S_ISDIR(st.st_mode) ? EISDIR : EACCES, op);
    }
    // Refuse early what the final rename would refuse, before any byte is copied.
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        if (!way.replace) {
            return mapErrno(EEXIST, op);
        }
        if (S_ISDIR(existing.st_mode)) {
            return mapErrno(EISDIR, op);
        }
    } else if (errno != ENOENT) {
        return mapped(errno, op, to);
    }

    auto file = std::make_shared<TempFile>();
    TempFile& temp = *file;
    if (const int error = temp.create(to, st.st_mode & 0777)) {
        return mapped(error, op, to);
    }
    ::posix_fadvise(source.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    bool readFailed = false;
    if (const int error = copyBytes(source.get(), temp.fd(), readFailed, way.hash, way.held != nullptr)) {
        return mapErrno(error, readFailed ? FileOperation::Read : op);
    }
    // The pictures keep their file times; a file system that cannot set them
    // still gets the copy.
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(temp.fd(), times);
    if (way.held != nullptr) {
        *way.held = std::move(file);
        return 0;
    }
    if (way.dataFlushed && !way.flushed && ::fdatasync(temp.fd()) != 0) {
        return mapErrno(errno, op);
    }
    if (way.flushed) {
        if (::fsync(temp.fd()) != 0) {
            return mapErrno(errno, op);
        }
        bool same = false;
        if (const int error = compareWithSource(source.get(), temp.fd(), same)) {
            return mapErrno(error, FileOperation::Read);
        }
        if (!same) {
            return syserr::kWriteFault;
        }
    }
    if (const int error = temp.close()) {
        return mapErrno(error, op);
    }
    if (const int error = temp.placeAs(to, way.replace)) {
        return mapped(error, op, to);
    }
    if (way.flushed) {
        if (const int error = flushFolderOf(to)) {
            // Not known to be on the disk: the move must not go on to remove
            // its source. The copy is taken back; the source still holds the bytes.
            ::unlink(to.c_str());
            return mapErrno(error, op);
        }
    }
    return 0;
}

// Whether the two paths name one file (a folder mounted twice shows it twice).
bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The file system's identity of an existing path: its device and, where the
// kernel tells it, its mount, so two mounts of one device count as two.
struct MountId {
    unsigned devMajor = 0;
    unsigned devMinor = 0;
    std::uint64_t mount = 0;

    bool operator==(const MountId&) const = default;
};

bool mountIdOf(const std::string& path, MountId& id) {
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_INO | STATX_MNT_ID, &sx) != 0) {
        return false;
    }
    id.devMajor = sx.stx_dev_major;
    id.devMinor = sx.stx_dev_minor;
    id.mount = (sx.stx_mask & STATX_MNT_ID) != 0 ? sx.stx_mnt_id : 0;
    return true;
}

// `path` with its symbolic links resolved, or the same for its nearest
// existing folder above; empty when there is none.
std::string nearestExisting(std::string path) {
    while (!path.empty()) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            std::string result = resolved;
            std::free(resolved);
            return result;
        }
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        const std::string parent = folderOf(path);
        if (parent == path) {
            break;
        }
        path = parent;
    }
    return {};
}

}  // namespace

FileSystem::~FileSystem() {
    if (!held_.empty()) {
        threadHasher().finish();
    }
}

bool FileSystem::copyFile(const std::string& from, const std::string& to, bool replace) {
    auto hash = std::make_shared<Sha256>();
    lastCopyHash_.clear();
    std::shared_ptr<TempFile> held;
    const bool holding = holdCopies_ && !replace;
    const int error = copyThroughTemp(from, to,
                                      CopyWay{replace, verifyCopies_, flushCopies_, FileOperation::Copy,
                                              hashCopies_ ? hash.get() : nullptr, holding ? &held : nullptr});
    if (error != 0) {
        setLastError(error);
        return false;
    }
    if (held) {
        std::uint64_t size = 0;
        fileSize(from, size);
        heldBytes_ += size;
        held_.push_back(HeldCopy{from, to, size, std::move(held), hashCopies_ ? hash : nullptr});
    } else if (hashCopies_) {
        lastCopyHash_ = hash->finishHex();
    }
    return true;
}

bool FileSystem::placeHeldCopies(std::vector<UnplacedCopy>& unplaced, std::vector<PlacedCopy>& placed) {
    std::vector<HeldCopy> group;
    group.swap(held_);
    heldBytes_ = 0;
    if (group.empty()) {
        return true;
    }
    // The hashes still being taken from the copies' cached pages are finished.
    const int hashError = threadHasher().finish();
    // One flush for each file system the group was written to (an album
    // folder may be a mount of its own); where that fails, one for each file.
    bool synced = true;
    std::vector<dev_t> devices;
    for (const HeldCopy& copy : group) {
        struct stat st {};
        if (!flushCopies_ || ::fstat(copy.file->fd(), &st) != 0) {
            synced = synced && !flushCopies_;
            continue;
        }
        if (std::find(devices.begin(), devices.end(), st.st_dev) == devices.end()) {
            devices.push_back(st.st_dev);
            synced = ::syncfs(copy.file->fd()) == 0 && synced;
        }
    }
    std::vector<std::string> folders;
    for (HeldCopy& copy : group) {
        TempFile& temp = *copy.file;
        int error = hashError != 0 && copy.hash ? mapErrno(hashError, FileOperation::Read) : 0;
        if (error == 0 && flushCopies_ && !synced && ::fdatasync(temp.fd()) != 0) {
            error = mapErrno(errno, FileOperation::Copy);
        }
        if (error == 0 && verifyCopies_) {
            const Descriptor source(::open(copy.source.c_str(), O_RDONLY | O_CLOEXEC));
            bool same = false;
            if (source.get() < 0 || compareWithSource(source.get(), temp.fd(), same) != 0) {
                error = mapErrno(source.get() < 0 ? errno : EIO, FileOperation::Read);
            } else if (!same) {
                error = syserr::kWriteFault;
            }
        }
        if (error == 0) {
            if (const int closed = temp.close()) {
                error = mapErrno(closed, FileOperation::Copy);
            } else if (const int placed = temp.placeAs(copy.target, false)) {
                error = mapped(placed, FileOperation::Copy, copy.target);
            }
        }
        copy.file.reset();  // an unplaced copy's bytes go with it
        if (error != 0) {
            unplaced.push_back(UnplacedCopy{copy.target, error});
            continue;
        }
        placed.push_back(PlacedCopy{copy.target, copy.hash ? copy.hash->finishHex() : std::string()});
        if (flushCopies_ && std::find(folders.begin(), folders.end(), folderOf(copy.target)) == folders.end()) {
            folders.push_back(folderOf(copy.target));
        }
    }
    for (const std::string& folder : folders) {
        flushFolderEntries(folder);
    }
    if (!unplaced.empty()) {
        setLastError(unplaced.front().error);
    }
    return unplaced.empty();
}

bool FileSystem::copyFlushed(const std::string& from, const std::string& to, bool replace) {
    const int error = copyThroughTemp(from, to, CopyWay{replace, true, true, FileOperation::Move});
    if (error != 0) {
        setLastError(error);
        return false;
    }
    return true;
}

bool FileSystem::renameFile(const std::string& from, const std::string& to, bool replace) {
    const int error = replace ? (::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno)
                              : renameNoReplace(from, to);
    if (error == 0) {
        return true;
    }
    if (error == ENOENT) {
        // Either the file or the folder it was to go to is missing.
        struct stat st {};
        const bool sourceThere = ::lstat(from.c_str(), &st) == 0;
        setLastError(sourceThere ? syserr::kPathNotFound
                                 : mapErrno(ENOENT, FileOperation::Move, parentMissing(from)));
        return false;
    }
    setLastError(mapErrno(error, FileOperation::Move));
    return false;
}

bool FileSystem::moveFile(const std::string& from, const std::string& to, bool replace) {
    if (renameFile(from, to, replace)) {
        return true;
    }
    if (lastError() != syserr::kNotSameDevice) {
        return false;
    }
    // Another file system: the copy must be complete and on the disk before
    // the source may go.
    if (!copyFlushed(from, to, replace)) {
        return false;
    }
    // One file under both names: removing the "source" would remove the copy.
    if (sameFile(from, to)) {
        return true;
    }
    // Should the source stay, both files exist and the error is reported.
    return removeFile(from);
}

bool FileSystem::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        setLastError(mapped(errno, FileOperation::Remove, path));
        return false;
    }
    return true;
}

bool FileSystem::writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    // The bytes go to a file beside the target first, so a failed write (a
    // full disk) leaves the earlier file as it was. A link is written through.
    std::string target = path;
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            setLastError(mapErrno(EISDIR, FileOperation::Write));
            return false;
        }
        // A file the caller may not write stays refused, though its folder
        // would allow the new file to take its place.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            setLastError(mapped(errno, FileOperation::Write, target));
            return false;
        }
        mode = st.st_mode & 07777;
        keepMode = true;
    }
    TempFile temp;
    if (const int error = temp.create(target, mode)) {
        setLastError(mapped(error, FileOperation::Write, target));
        return false;
    }
    int error = writeAll(temp.fd(), bytes.data(), bytes.size());
    if (error == 0 && keepMode) {
        ::fchmod(temp.fd(), mode);
    }
    if (error == 0 && ::fsync(temp.fd()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = temp.close();
    }
    if (error == 0) {
        error = temp.placeAs(target, true);
    }
    if (error != 0) {
        setLastError(mapped(error, FileOperation::Write, target));
        return false;
    }
    return true;
}

bool FileSystem::compareFiles(const std::string& a, const std::string& b, bool& same) {
    same = false;
    const Descriptor left(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    if (left.get() < 0) {
        setLastError(mapped(errno, FileOperation::Open, a));
        return false;
    }
    const Descriptor right(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    if (right.get() < 0) {
        setLastError(mapped(errno, FileOperation::Open, b));
        return false;
    }
    if (const int error = compareWithSource(left.get(), right.get(), same)) {
        setLastError(mapErrno(error, FileOperation::Read));
        return false;
    }
    return true;
}

bool FileSystem::hashFile(const std::string& path, std::string& sha256) {
    const int error = sha256OfFile(path, sha256);
    if (error == 0) {
        return true;
    }
    const bool opening = ::access(path.c_str(), R_OK) != 0;
    setLastError(error == EIO || !opening ? mapErrno(error, FileOperation::Read)
                                          : mapped(error, FileOperation::Open, path));
    return false;
}

bool FileSystem::removeEmptyFolder(const std::string& path, bool& removed) {
    removed = ::rmdir(path.c_str()) == 0;
    if (removed || errno == ENOTEMPTY || errno == EEXIST) {
        return true;
    }
    setLastError(mapped(errno, FileOperation::Remove, path));
    return false;
}

bool FileSystem::flushFolder(const std::string& folder) {
    if (const int error = flushFolderEntries(folder)) {
        setLastError(mapErrno(error, FileOperation::Write));
        return false;
    }
    return true;
}

int FileSystem::removePartialFiles(const std::string& folder) {
    std::vector<DirEntry> entries;
    if (!listDirectory(folder, ".*.dzpart-*", entries)) {
        return 0;
    }
    int removed = 0;
    for (const DirEntry& entry : entries) {
        if (!entry.isDirectory() && removeAbandonedPart(folder + "/" + entry.name)) {
            ++removed;
        }
    }
    return removed;
}

std::string FileSystem::volumeOf(const std::string& path) {
    std::string mount = nearestExisting(path);
    MountId here;
    if (mount.empty() || !mountIdOf(mount, here)) {
        setLastError(syserr::kPathNotFound);
        return {};
    }
    while (mount != "/") {
        const std::string parent = folderOf(mount);
        MountId above;
        if (parent.empty() || !mountIdOf(parent, above) || !(above == here)) {
            break;
        }
        mount = parent;
    }
    return mount;
}

}  // namespace dz
