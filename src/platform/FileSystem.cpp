#include "platform/FileSystem.h"

#include "platform/FileSource.h"
#include "platform/PathParts.h"
#include "platform/SystemError.h"
#include "platform/TimeZone.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace dz {

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::int64_t toFileTime(const struct statx_timestamp& t) {
    return fileTimeFromUnix(t.tv_sec, t.tv_nsec);
}

// Fills attributes, time and size of one entry; false when it cannot be stat'ed.
bool describeEntry(int dirFd, const char* name, DirEntry& entry) {
    struct statx sx {};
    const unsigned wanted = STATX_BASIC_STATS | STATX_BTIME;
    // Follow links so a linked picture reads as the picture and a linked
    // folder as the folder; a dangling link is described as itself and then
    // fails to open like any unreadable file.
    if (::statx(dirFd, name, 0, wanted, &sx) != 0 &&
        ::statx(dirFd, name, AT_SYMLINK_NOFOLLOW, wanted, &sx) != 0) {
        return false;
    }
    std::uint32_t bits = 0;
    const bool isDir = S_ISDIR(sx.stx_mode);
    if (isDir) {
        bits |= attr::kDirectory;
    } else if (S_ISREG(sx.stx_mode)) {
        bits |= attr::kArchive;
    }
    if ((sx.stx_mode & S_IWUSR) == 0) {
        bits |= attr::kReadOnly;
    }
    if (name[0] == '.') {
        bits |= attr::kHidden;
    }
    entry.attributes = bits;
    entry.creationTime = (sx.stx_mask & STATX_BTIME) != 0 ? toFileTime(sx.stx_btime)
                                                          : toFileTime(sx.stx_mtime);
    entry.modifiedTime = toFileTime(sx.stx_mtime);
    entry.size = isDir ? 0 : sx.stx_size;
    return true;
}

}  // namespace

bool matchesMask(const std::string& name, const std::string& mask) {
    // "*.*" is the classic "everything" mask and matches names without a dot too.
    if (mask == "*.*") {
        return true;
    }
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || foldAscii(mask[m]) == foldAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

bool FileSystem::listDirectory(const std::string& folder, const std::string& mask,
                               std::vector<DirEntry>& entries) {
    entries.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        setLastError(mapErrno(errno, FileOperation::List, errno == ENOENT && parentMissing(folder)));
        return false;
    }
    const int dirFd = ::dirfd(dir);
    errno = 0;
    while (const dirent* d = ::readdir(dir)) {
        const std::string name = d->d_name;
        if (name == "." || name == ".." || !matchesMask(name, mask)) {
            continue;
        }
        DirEntry entry;
        entry.name = name;
        // An entry removed while listing is simply not listed.
        if (describeEntry(dirFd, d->d_name, entry)) {
            entries.push_back(std::move(entry));
        }
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        entries.clear();
        setLastError(mapErrno(readError, FileOperation::List));
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return true;
}

std::unique_ptr<ByteSource> FileSystem::openRead(const std::string& path) {
    // Not blocking: a FIFO planted where a file is expected would otherwise
    // wait for a writer for ever. Only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        setLastError(mapErrno(errno, FileOperation::Open, errno == ENOENT && parentMissing(path)));
        return nullptr;
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        const int error = !known ? errno : S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        setLastError(mapErrno(error, FileOperation::Open));
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return std::make_unique<FileSource>(fd);
}

bool FileSystem::createDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) {
        setLastError(mapErrno(errno, FileOperation::CreateDirectory,
                              errno == ENOENT && parentMissing(path)));
        return false;
    }
    return true;
}

bool FileSystem::exists(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        setLastError(mapErrno(errno, FileOperation::Other, errno == ENOENT && parentMissing(path)));
        return false;
    }
    return true;
}

bool FileSystem::fileSize(const std::string& path, std::uint64_t& size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        setLastError(mapErrno(errno, FileOperation::Other, errno == ENOENT && parentMissing(path)));
        return false;
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool FileSystem::identify(const std::string& path, FolderIdentity& identity) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        setLastError(mapErrno(errno, FileOperation::Other, errno == ENOENT && parentMissing(path)));
        return false;
    }
    identity = FolderIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

bool FileSystem::freeSpace(const std::string& path, std::uint64_t& bytes) {
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0) {
        setLastError(mapErrno(errno, FileOperation::Other, errno == ENOENT && parentMissing(path)));
        return false;
    }
    bytes = static_cast<std::uint64_t>(vfs.f_bavail) * static_cast<std::uint64_t>(vfs.f_frsize);
    return true;
}

}  // namespace dz
