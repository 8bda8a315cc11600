#include "formats/IsoBoxes.h"

#include <algorithm>
#include <cstring>

namespace dz {

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

constexpr std::size_t kUuidSize = 16;

}  // namespace

bool IsoBox::is(const char (&name)[5]) const {
    return std::memcmp(type.data(), name, 4) == 0;
}

bool IsoBox::isUuid(const std::array<std::uint8_t, 16>& userType) const {
    return is("uuid") && uuid == userType;
}

bool readIsoBoxHeader(const std::uint8_t* bytes, std::size_t size, IsoBoxHeader& header) {
    if (size < 8) {
        return false;
    }
    std::memcpy(header.type.data(), bytes + 4, 4);
    const std::uint32_t shortSize = bigEndian32(bytes);
    if (shortSize == 1) {
        if (size < 16) {
            return false;
        }
        header.headerSize = 16;
        header.boxSize = (std::uint64_t{bigEndian32(bytes + 8)} << 32) | bigEndian32(bytes + 12);
    } else {
        header.headerSize = 8;
        header.boxSize = shortSize;
    }
    return header.boxSize == 0 || header.boxSize >= header.headerSize;
}

bool IsoBoxWalker::next(IsoBox& box) {
    if (broken_ || position_ >= size_) {
        return false;
    }
    const std::size_t left = size_ - position_;
    const std::uint8_t* start = data_ + position_;
    IsoBoxHeader header;
    if (!readIsoBoxHeader(start, left, header)) {
        broken_ = true;
        return false;
    }
    const std::uint64_t boxSize = header.boxSize == 0 ? left : header.boxSize;
    std::uint64_t headerSize = header.headerSize;
    const bool uuid = std::memcmp(header.type.data(), "uuid", 4) == 0;
    if (uuid) {
        headerSize += kUuidSize;
    }
    if (boxSize > left || headerSize > boxSize) {
        broken_ = true;
        return false;
    }
    box = IsoBox{};
    box.type = header.type;
    if (uuid) {
        std::copy_n(start + header.headerSize, kUuidSize, box.uuid.begin());
    }
    box.body = start + headerSize;
    box.bodySize = static_cast<std::size_t>(boxSize - headerSize);
    position_ += static_cast<std::size_t>(boxSize);
    return true;
}

}  // namespace dz
