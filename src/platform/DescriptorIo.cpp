#include "platform/DescriptorIo.h"

#include "platform/Sha256.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace dz {

int writeAll(int fd, const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t n = ::write(fd, bytes, count);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return ENOSPC;
        }
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
    return 0;
}

int flushFolderEntries(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int error = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
    ::close(fd);
    return error;
}

int readAt(int fd, std::uint8_t* out, std::size_t count, long long offset, std::size_t& got) {
    got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, out + got, count - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

int copyThrough(int in, int out, bool& readFailed, Sha256* hash) {
    // One buffer a thread, reused: a fresh one for each file costs the
    // kernel a new mapping and its page faults every time.
    constexpr std::size_t kBlockSize = 256 * 1024;
    thread_local const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    readFailed = false;
    for (;;) {
        const ssize_t n = ::read(in, buffer.get(), kBlockSize);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            readFailed = true;
            return errno;
        }
        if (n == 0) {
            return 0;
        }
        if (hash != nullptr) {
            hash->update(buffer.get(), static_cast<std::size_t>(n));
        }
        if (const int error = writeAll(out, buffer.get(), static_cast<std::size_t>(n))) {
            return error;
        }
    }
}

}  // namespace dz
