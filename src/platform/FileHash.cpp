#include "platform/FileHash.h"

#include "platform/Sha256.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace dz {

int sha256OfFile(const std::string& path, std::string& sha256) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int error = sha256OfDescriptor(fd, sha256);
    ::close(fd);
    return error;
}

int sha256OfDescriptor(int fd, std::string& sha256) {
    constexpr std::size_t kBlockSize = 1 << 20;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
    Sha256 hash;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.get(), kBlockSize);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            break;
        }
        hash.update(buffer.get(), static_cast<std::size_t>(n));
    }
    sha256 = hash.finishHex();
    return 0;
}

}  // namespace dz
