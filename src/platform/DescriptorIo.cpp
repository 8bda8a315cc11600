#include "platform/DescriptorIo.h"

#include "platform/ChunkHasher.h"
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

ChunkHasher& threadHasher() {
    thread_local ChunkHasher hasher;
    return hasher;
}

int copyThrough(int in, int out, bool& readFailed, Sha256* hash) {
    readFailed = false;
    // Hashed on a thread of its own while the next chunk is read and written.
    ChunkHasher& hasher = threadHasher();
    for (;;) {
        std::uint8_t* chunk = hasher.take();
        const ssize_t n = ::read(in, chunk, ChunkHasher::kChunkSize);
        if (n <= 0) {
            const int error = n < 0 ? errno : 0;
            hasher.giveBack(chunk);
            if (error == EINTR) {
                continue;
            }
            const int hashError = hasher.finish();
            readFailed = error != 0 || hashError != 0;
            return error != 0 ? error : hashError;
        }
        if (const int error = writeAll(out, chunk, static_cast<std::size_t>(n))) {
            hasher.giveBack(chunk);
            hasher.finish();
            return error;
        }
        if (hash != nullptr) {
            hasher.hash(*hash, chunk, static_cast<std::size_t>(n));
        } else {
            hasher.giveBack(chunk);
        }
    }
}

}  // namespace dz
