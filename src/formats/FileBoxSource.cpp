#include "formats/FileBoxSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

FileBoxSource::FileBoxSource(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && info.st_size > 0) {
        size_ = static_cast<std::uint64_t>(info.st_size);
    }
}

FileBoxSource::~FileBoxSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool FileBoxSource::readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (offset > size_ || count > size_ - offset) {
        return false;
    }
    while (count > 0) {
        const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(offset));
        if (got <= 0) {
            return false;
        }
        out += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace dz
