#include "platform/FileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace dz {

FileSource::~FileSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t FileSource::readFromFile(std::uint8_t* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count && !atEnd_) {
        const ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            failed_ = true;
            atEnd_ = true;
            break;
        }
        if (n == 0) {
            atEnd_ = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

int FileSource::readByte() {
    if (bufferPos_ == bufferEnd_) {
        bufferPos_ = 0;
        bufferEnd_ = readFromFile(buffer_, kBufferSize);
        if (bufferEnd_ == 0) {
            return -1;
        }
    }
    return buffer_[bufferPos_++];
}

std::size_t FileSource::read(std::uint8_t* out, std::size_t count) {
    const std::size_t buffered = std::min(count, bufferEnd_ - bufferPos_);
    if (buffered > 0) {
        std::memcpy(out, buffer_ + bufferPos_, buffered);
        bufferPos_ += buffered;
    }
    if (buffered == count) {
        return count;
    }
    return buffered + readFromFile(out + buffered, count - buffered);
}

}  // namespace dz
