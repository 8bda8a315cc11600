#include "platform/RootedFolder.h"

#include "platform/DescriptorIo.h"
#include "platform/FileHash.h"
#include "platform/Sha256.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/openat2.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dz {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kMaxRelative = 4096;

// A descriptor closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Opens `relative` beneath `root`: the kernel refuses links and ".." at
// every level. Where it has no openat2, each level is opened on its own
// with O_NOFOLLOW, which refuses the same.
int openBeneath(int root, const std::string& relative, int flags, int& out) {
    open_how how {};
    how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, root, relative.c_str(), &how, sizeof how);
    if (fd >= 0) {
        out = static_cast<int>(fd);
        return 0;
    }
    if (errno != ENOSYS) {
        return errno;
    }
    Fd current(::fcntl(root, F_DUPFD_CLOEXEC, 0));
    std::size_t at = 0;
    while (at <= relative.size()) {
        const std::size_t slash = relative.find('/', at);
        const std::string part = relative.substr(at, slash == std::string::npos ? std::string::npos : slash - at);
        const bool last = slash == std::string::npos;
        const int levelFlags = last ? flags : O_DIRECTORY | O_RDONLY;
        const int next = ::openat(current.get(), part.c_str(), levelFlags | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            return errno;
        }
        current.reset(next);
        if (last) {
            break;
        }
        at = slash + 1;
    }
    out = current.release();
    return 0;
}

// Whether `copy`, read back from the disk, holds the bytes whose hash is `sha256`.
int readBackMatches(int copy, const std::string& sha256, bool& same) {
    ::posix_fadvise(copy, 0, 0, POSIX_FADV_DONTNEED);
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    Sha256 hash;
    off_t offset = 0;
    for (;;) {
        std::size_t got = 0;
        if (const int error = readAt(copy, buffer.get(), kBlockSize, offset, got)) {
            return error;
        }
        if (got == 0) {
            break;
        }
        hash.update(buffer.get(), got);
        offset += static_cast<off_t>(got);
    }
    same = hash.finishHex() == sha256;
    return 0;
}

// Opens the regular file `relative` for reading, refusing links, devices and pipes.
int openRegular(const RootedFolder& root, const std::string& relative, Fd& file) {
    int fd = -1;
    if (const int error = openBeneath(root.fd(), relative, O_RDONLY | O_NONBLOCK | O_NOFOLLOW, fd)) {
        return error;
    }
    Fd opened(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return errno;
    }
    if (!S_ISREG(st.st_mode)) {
        return EINVAL;
    }
    // Reads of a regular file never block; the flag only kept a FIFO from stalling the open.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.reset(opened.release());
    return 0;
}

std::string hiddenName(const std::string& name) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix.push_back(kLetters[random() % (sizeof(kLetters) - 1)]);
    }
    return "." + name.substr(0, 240) + ".dzpart-" + suffix;
}

// Gives the complete file `fd` the name `name` in `folder`, never over another file.
int nameCopy(int folder, int fd, bool unnamed, const std::string& tempName, const std::string& name) {
    if (unnamed) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        return ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
    }
    if (::renameat2(folder, tempName.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return errno;
    }
    // File systems without that rename (FAT): look, then rename.
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    return ::renameat(folder, tempName.c_str(), folder, name.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool FolderStamp::matches(const FolderStamp& recorded) const {
    if (inode != recorded.inode) {
        return false;
    }
    // A file system's id survives mounting elsewhere; a device number may not.
    if (fileSystem != 0 && recorded.fileSystem != 0) {
        return fileSystem == recorded.fileSystem;
    }
    return device == recorded.device;
}

RootedFolder::~RootedFolder() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

RootedFolder::RootedFolder(RootedFolder&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_)) {
    other.fd_ = -1;
}

RootedFolder& RootedFolder::operator=(RootedFolder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

int RootedFolder::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    *this = RootedFolder();
    fd_ = fd;
    path_ = path;
    while (path_.size() > 1 && path_.back() == '/') {
        path_.pop_back();
    }
    return 0;
}

std::string RootedFolder::pathOf(const std::string& relative) const {
    return path_ == "/" ? "/" + relative : path_ + "/" + relative;
}

FolderStamp RootedFolder::stamp() const {
    FolderStamp stamp;
    struct stat st {};
    struct statfs sf {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0) {
        stamp.device = static_cast<std::uint64_t>(st.st_dev);
        stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    }
    if (fd_ >= 0 && ::fstatfs(fd_, &sf) == 0) {
        std::uint64_t id = 0;
        std::memcpy(&id, &sf.f_fsid, sizeof id < sizeof sf.f_fsid ? sizeof id : sizeof sf.f_fsid);
        stamp.fileSystem = id;
    }
    return stamp;
}

bool RootedFolder::isCleanRelative(const std::string& relative) {
    if (relative.empty() || relative.size() > kMaxRelative || relative.front() == '/' ||
        relative.find('\0') != std::string::npos) {
        return false;
    }
    std::size_t at = 0;
    for (;;) {
        const std::size_t slash = relative.find('/', at);
        const std::string_view part(relative.data() + at,
                                    (slash == std::string::npos ? relative.size() : slash) - at);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
        at = slash + 1;
    }
}

int RootedFolder::openParent(const std::string& relative, int& folderFd, std::string& name) const {
    if (fd_ < 0) {
        return EBADF;
    }
    if (!isCleanRelative(relative)) {
        return EINVAL;
    }
    const std::size_t slash = relative.rfind('/');
    name = slash == std::string::npos ? relative : relative.substr(slash + 1);
    if (slash == std::string::npos) {
        folderFd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        return folderFd >= 0 ? 0 : errno;
    }
    return openBeneath(fd_, relative.substr(0, slash), O_RDONLY | O_DIRECTORY | O_NOFOLLOW, folderFd);
}

int RootedFolder::facts(const std::string& relative, FileIdentity& identity) const {
    int folder = -1;
    std::string name;
    if (const int error = openParent(relative, folder, name)) {
        return error;
    }
    const Fd held(folder);
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (S_ISLNK(st.st_mode)) {
        return ELOOP;
    }
    if (!S_ISREG(st.st_mode)) {
        return EINVAL;
    }
    identity = identityOf(st);
    return 0;
}

int RootedFolder::hash(const std::string& relative, std::string& sha256) const {
    Fd file;
    if (const int error = openRegular(*this, relative, file)) {
        return error;
    }
    return sha256OfDescriptor(file.get(), sha256);
}

int RootedFolder::remove(const std::string& relative, const FileIdentity& expected) const {
    int folder = -1;
    std::string name;
    if (const int error = openParent(relative, folder, name)) {
        return error;
    }
    const Fd held(folder);
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (!S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_ino) != expected.inode ||
        static_cast<std::uint64_t>(st.st_dev) != expected.device) {
        return ESTALE;
    }
    return ::unlinkat(folder, name.c_str(), 0) == 0 ? 0 : errno;
}

int RootedFolder::makeFolders(const std::string& relative, std::vector<std::string>& made) const {
    if (!isCleanRelative(relative)) {
        return EINVAL;
    }
    Fd current(::fcntl(fd_, F_DUPFD_CLOEXEC, 0));
    std::size_t at = 0;
    for (;;) {
        const std::size_t slash = relative.find('/', at);
        const std::string part = relative.substr(at, slash == std::string::npos ? std::string::npos : slash - at);
        if (::mkdirat(current.get(), part.c_str(), 0777) == 0) {
            made.push_back(relative.substr(0, slash));
        } else if (errno != EEXIST) {
            return errno;
        }
        const int next = ::openat(current.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            return errno;
        }
        current.reset(next);
        if (slash == std::string::npos) {
            return 0;
        }
        at = slash + 1;
    }
}

int RootedFolder::removeEmptyFolder(const std::string& relative, bool& removed) const {
    removed = false;
    int folder = -1;
    std::string name;
    if (const int error = openParent(relative, folder, name)) {
        return error == ENOENT ? 0 : error;
    }
    const Fd held(folder);
    if (::unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0) {
        removed = true;
        return 0;
    }
    return errno == ENOTEMPTY || errno == EEXIST || errno == ENOENT ? 0 : errno;
}

int copyBeneath(const RootedFolder& from, const std::string& fromRel, const RootedFolder& to,
                const std::string& toRel, std::string& sha256, bool readBack) {
    Fd source;
    if (const int error = openRegular(from, fromRel, source)) {
        return error;
    }
    struct stat st {};
    if (::fstat(source.get(), &st) != 0) {
        return errno;
    }
    int folderFd = -1;
    std::string name;
    if (const int error = to.openParent(toRel, folderFd, name)) {
        return error;
    }
    const Fd folder(folderFd);
    struct stat existing {};
    if (::fstatat(folder.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    bool unnamed = true;
    std::string tempName;
    Fd copy(::openat(folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, st.st_mode & 0777));
    if (copy.get() < 0) {
        unnamed = false;
        tempName = hiddenName(name);
        copy.reset(::openat(folder.get(), tempName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            st.st_mode & 0777));
        if (copy.get() < 0) {
            return errno;
        }
    }
    auto fail = [&](int error) {
        if (!unnamed) {
            ::unlinkat(folder.get(), tempName.c_str(), 0);
        }
        return error;
    };
    ::posix_fadvise(source.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    bool readFailed = false;
    Sha256 hash;
    if (const int error = copyThrough(source.get(), copy.get(), readFailed, &hash)) {
        return fail(error);
    }
    sha256 = hash.finishHex();
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(copy.get(), times);
    if (::fsync(copy.get()) != 0) {
        return fail(errno);
    }
    bool same = !readBack;
    if (readBack) {
        if (const int error = readBackMatches(copy.get(), sha256, same)) {
            return fail(error);
        }
    }
    if (!same) {
        return fail(EIO);
    }
    if (const int error = nameCopy(folder.get(), copy.get(), unnamed, tempName, name)) {
        return fail(error);
    }
    return ::fsync(folder.get()) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
}

int moveBeneath(const RootedFolder& from, const std::string& fromRel, const RootedFolder& to,
                const std::string& toRel, std::string& sha256) {
    sha256.clear();
    int fromFolderFd = -1;
    std::string fromName;
    if (const int error = from.openParent(fromRel, fromFolderFd, fromName)) {
        return error;
    }
    const Fd fromFolder(fromFolderFd);
    int toFolderFd = -1;
    std::string toName;
    if (const int error = to.openParent(toRel, toFolderFd, toName)) {
        return error;
    }
    const Fd toFolder(toFolderFd);
    struct stat st {};
    if (::fstatat(fromFolder.get(), fromName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (!S_ISREG(st.st_mode)) {
        return S_ISLNK(st.st_mode) ? ELOOP : EINVAL;
    }
    if (::renameat2(fromFolder.get(), fromName.c_str(), toFolder.get(), toName.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EXDEV) {
        return errno;
    }
    FileIdentity before;
    before.device = static_cast<std::uint64_t>(st.st_dev);
    before.inode = static_cast<std::uint64_t>(st.st_ino);
    // The source goes after this copy: it is read back from the disk first.
    if (const int error = copyBeneath(from, fromRel, to, toRel, sha256, true)) {
        return error;
    }
    FileIdentity copy;
    if (const int error = to.facts(toRel, copy)) {
        return error;
    }
    // One file under both names: removing the "source" would remove the picture.
    if (copy.sameFile(before)) {
        return 0;
    }
    return from.remove(fromRel, before);
}

}  // namespace dz
