#include "platform/TempFile.h"

#include "platform/PathParts.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

constexpr int kNameAttempts = 100;
// Longest part of the target's name kept in the temporary name, so that the
// dot, ".dzpart-" and six characters still fit a 255-byte name.
constexpr std::size_t kKeptNameLength = 240;
constexpr const char* kPartMark = ".dzpart-";
constexpr std::size_t kSuffixLength = 6;

// The folder and the hidden start of a temporary name for `target`.
std::string partPrefix(const std::string& target) {
    std::string prefix = folderOf(target);
    if (!prefix.empty() && prefix.back() != '/') {
        prefix += '/';
    }
    return prefix + "." + nameOf(target).substr(0, kKeptNameLength) + kPartMark;
}

std::string randomSuffix(std::random_device& random) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uint64_t bits = (static_cast<std::uint64_t>(random()) << 32) ^ random();
    std::string suffix;
    for (std::size_t i = 0; i < kSuffixLength; ++i) {
        suffix.push_back(kLetters[bits % (sizeof(kLetters) - 1)]);
        bits /= sizeof(kLetters) - 1;
    }
    return suffix;
}

bool isUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

}  // namespace

TempFile::~TempFile() { discard(); }

int TempFile::create(const std::string& target, mode_t mode) {
    discard();
    // The unnamed file is given its name through /proc; without /proc it
    // could not be named at all, so the named file is used.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const std::string folder = folderOf(target).empty() ? std::string(".") : folderOf(target);
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        if (fd >= 0) {
            fd_ = fd;
            unnamed_ = true;
            return 0;
        }
        if (!isUnsupported(errno) && errno != EISDIR) {
            return errno;
        }
    }
    return createNamed(target, mode);
}

int TempFile::createNamed(const std::string& target, mode_t mode) {
    const std::string prefix = partPrefix(target);
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = prefix + randomSuffix(random);
        const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            // The lock lives with the open file, so a second descriptor keeps
            // it after the first is closed to catch late write errors.
            ::flock(fd, LOCK_EX | LOCK_NB);
            fd_ = fd;
            lockFd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
            path_ = candidate;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

int TempFile::close() {
    // An unnamed file must stay open until it has its name.
    if (fd_ < 0 || unnamed_) {
        return 0;
    }
    const int fd = fd_;
    fd_ = -1;
    // Linux releases the descriptor even when close reports an error; no retry.
    return ::close(fd) == 0 ? 0 : errno;
}

int TempFile::placeAs(const std::string& target, bool replace) {
    if (unnamed_) {
        return placeUnnamed(target, replace);
    }
    int error = 0;
    if (replace) {
        error = ::rename(path_.c_str(), target.c_str()) == 0 ? 0 : errno;
    } else {
        error = renameNoReplace(path_, target);
    }
    if (error == 0) {
        path_.clear();
        discard();
    }
    return error;
}

int TempFile::placeUnnamed(const std::string& target, bool replace) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    std::string linked = target;
    if (replace) {
        // A link refuses an existing name; the complete file takes a hidden
        // name first and is renamed over the target from there.
        std::random_device random;
        const std::string prefix = partPrefix(target);
        int error = EEXIST;
        for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
            linked = prefix + randomSuffix(random);
            error = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, linked.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
        }
        if (error != 0) {
            return error;
        }
    } else if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        return errno;
    }
    const int fd = fd_;
    fd_ = -1;
    unnamed_ = false;
    // A write error some file systems report only on closing: the name
    // must not stay on a file that may be incomplete.
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(linked.c_str());
        return error;
    }
    if (replace && ::rename(linked.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(linked.c_str());
        return error;
    }
    return 0;
}

void TempFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    unnamed_ = false;
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
}

bool isPartialFileName(const std::string& name) {
    const std::size_t mark = name.rfind(kPartMark);
    return name.size() > 1 && name[0] == '.' && mark != std::string::npos && mark > 0 &&
           name.size() == mark + std::char_traits<char>::length(kPartMark) + kSuffixLength;
}

bool removeAbandonedPart(const std::string& path) {
    if (!isPartialFileName(nameOf(path))) {
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    // A copy still writing holds the lock; one killed has let it go.
    bool removed = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        removed = ::unlink(path.c_str()) == 0;
    }
    ::close(fd);
    return removed;
}

int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    int error = errno;
    if (!isUnsupported(error)) {
        return error;
    }
    // A new hard link refuses an existing name just as atomically.
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) != 0) {
            // Both names hold the file now; the rename is not complete.
            error = errno;
            ::unlink(to.c_str());
            return error;
        }
        return 0;
    }
    error = errno;
    if (error != EPERM && !isUnsupported(error)) {
        return error;
    }
    // No hard links either (FAT, some network shares): look, then rename.
    // Another program could take the name in between; nothing of ours does.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        return EEXIST;
    }
    if (errno != ENOENT) {
        return errno;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace dz
