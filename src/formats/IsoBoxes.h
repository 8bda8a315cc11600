#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dz {

// One box of an ISO base media file (HEIF, CR3, MP4): its four-letter type,
// the 16-byte user type of a "uuid" box, and its body within the bytes walked.
struct IsoBox {
    std::array<char, 4> type{};
    std::array<std::uint8_t, 16> uuid{};
    const std::uint8_t* body = nullptr;
    std::size_t bodySize = 0;

    bool is(const char (&name)[5]) const;
    bool isUuid(const std::array<std::uint8_t, 16>& userType) const;
};

// The boxes side by side in a byte range, one after the other. A box whose
// header or body would reach beyond the range ends the walk as broken; a
// size of 0 means "to the end of the range", as the format allows.
class IsoBoxWalker {
public:
    IsoBoxWalker(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    IsoBoxWalker(const IsoBox& parent) : IsoBoxWalker(parent.body, parent.bodySize) {}

    // The next box, or false at the end of the range or at a broken box.
    bool next(IsoBox& box);
    bool broken() const { return broken_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool broken_ = false;
};

// The header of a box as read from a stream: how many bytes the header took
// and how many the whole box takes (0: up to the end of the file).
struct IsoBoxHeader {
    std::array<char, 4> type{};
    std::uint64_t headerSize = 0;
    std::uint64_t boxSize = 0;
};

// Reads a box header from the first `size` bytes of `bytes` (8, or 16 for
// a 64-bit size); false when they do not hold a sound one.
bool readIsoBoxHeader(const std::uint8_t* bytes, std::size_t size, IsoBoxHeader& header);

}  // namespace dz
