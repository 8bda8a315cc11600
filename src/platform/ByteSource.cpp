#include "platform/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace dz {

std::size_t MemorySource::read(std::uint8_t* out, std::size_t count) {
    const std::size_t n = std::min(count, size_ - pos_);
    if (n > 0) {
        std::memcpy(out, data_ + pos_, n);
    }
    pos_ += n;
    return n;
}

}  // namespace dz
