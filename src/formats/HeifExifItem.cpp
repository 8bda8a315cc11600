#include "formats/HeifExifItem.h"

#include <cstring>

namespace dz {

bool tiffBlockOfExifItem(const std::uint8_t* item, std::size_t size, const std::uint8_t*& block,
                         std::size_t& blockSize) {
    if (size < 4) {
        return false;
    }
    const std::uint64_t offset =
        (std::uint64_t{item[0]} << 24) | (std::uint64_t{item[1]} << 16) | (std::uint64_t{item[2]} << 8) | item[3];
    if (offset > size - 4) {
        return false;
    }
    std::size_t at = 4 + static_cast<std::size_t>(offset);
    if (size - at >= 6 && std::memcmp(item + at, "Exif\0\0", 6) == 0) {
        at += 6;
    }
    block = item + at;
    blockSize = size - at;
    return true;
}

}  // namespace dz
