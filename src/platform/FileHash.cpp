#include "platform/FileHash.h"

#include "platform/DescriptorIo.h"
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
    long long offset = 0;
    for (;;) {
        std::size_t got = 0;
        if (const int error = readAt(fd, buffer.get(), kBlockSize, offset, got)) {
            return error;
        }
        if (got == 0) {
            break;
        }
        hash.update(buffer.get(), got);
        offset += static_cast<long long>(got);
    }
    sha256 = hash.finishHex();
    return 0;
}

}  // namespace dz
