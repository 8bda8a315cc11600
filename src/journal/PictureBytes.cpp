#include "journal/PictureBytes.h"

#include "platform/DescriptorIo.h"
#include "platform/Sha256.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

// Exactly `count` bytes at `offset` into the hash; ESTALE when the file ends before.
int hashRange(int fd, Sha256& hash, std::uint8_t* buffer, std::uint64_t offset, std::uint64_t count) {
    while (count > 0) {
        const std::size_t want = count < kBlockSize ? static_cast<std::size_t>(count) : kBlockSize;
        std::size_t got = 0;
        if (const int error = readAt(fd, buffer, want, static_cast<long long>(offset), got)) {
            return error;
        }
        if (got == 0) {
            return ESTALE;
        }
        hash.update(buffer, got);
        offset += got;
        count -= got;
    }
    return 0;
}

}  // namespace

OpenedPicture::~OpenedPicture() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int OpenedPicture::adopt(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return EINVAL;
    }
    // The flag only kept a FIFO from stalling the open; a regular file's reads never block.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
    identity_ = identityOf(st);
    return 0;
}

int OpenedPicture::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    return fd < 0 ? errno : adopt(fd);
}

int OpenedPicture::openBeneath(const RootedFolder& folder, const std::string& relative) {
    int folderFd = -1;
    std::string name;
    if (const int error = folder.openParent(relative, folderFd, name)) {
        return error;
    }
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    ::close(folderFd);
    return fd < 0 ? error : adopt(fd);
}

int quickKeyOf(const OpenedPicture& file, std::uint64_t size, std::string& key) {
    if (file.fd() < 0) {
        return EBADF;
    }
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    Sha256 hash;
    std::uint8_t sizeBytes[8];
    for (int i = 0; i < 8; ++i) {
        sizeBytes[i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    hash.update(sizeBytes, sizeof sizeBytes);
    if (size <= 2 * kQuickKeyEnd) {
        if (const int error = hashRange(file.fd(), hash, buffer.get(), 0, size)) {
            return error;
        }
    } else if (const int error = hashRange(file.fd(), hash, buffer.get(), 0, kQuickKeyEnd)) {
        return error;
    } else if (const int tailError = hashRange(file.fd(), hash, buffer.get(), size - kQuickKeyEnd, kQuickKeyEnd)) {
        return tailError;
    }
    key = hash.finishHex();
    return 0;
}

int fullHashOf(const OpenedPicture& file, std::uint64_t size, std::string& sha256) {
    if (file.fd() < 0) {
        return EBADF;
    }
    ::posix_fadvise(file.fd(), 0, 0, POSIX_FADV_SEQUENTIAL);
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    Sha256 hash;
    if (const int error = hashRange(file.fd(), hash, buffer.get(), 0, size)) {
        return error;
    }
    // A byte past the size: the file grew while it was read.
    std::size_t got = 0;
    if (const int error = readAt(file.fd(), buffer.get(), 1, static_cast<long long>(size), got)) {
        return error;
    }
    if (got != 0) {
        return ESTALE;
    }
    sha256 = hash.finishHex();
    return 0;
}

std::string unreadableText(int error) {
    switch (error) {
    case EINVAL: return "not a regular file";
    case ELOOP: return "a link";
    case ESTALE: return "changed while it was read";
    default: return std::strerror(error);
    }
}

}  // namespace dz
