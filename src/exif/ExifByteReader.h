#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace dz {

// A bounds-checked view of bytes in memory. Offsets and counts taken from a
// file are hostile, so every read is checked as `size >= n && offset <= size - n`
// in 64-bit arithmetic and a read outside the view yields nothing.
class ExifByteReader {
public:
    ExifByteReader() = default;
    ExifByteReader(const std::uint8_t* data, std::size_t size, bool bigEndian = false)
        : data_(data), size_(size), bigEndian_(bigEndian) {}

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool bigEndian() const { return bigEndian_; }

    bool contains(std::uint64_t offset, std::uint64_t n) const {
        return size_ >= n && offset <= size_ - n;
    }

    // The n bytes at `offset` as a view of their own (same byte order).
    std::optional<ExifByteReader> sub(std::uint64_t offset, std::uint64_t n) const {
        if (!contains(offset, n)) {
            return std::nullopt;
        }
        return ExifByteReader(data_ + offset, static_cast<std::size_t>(n), bigEndian_);
    }

    std::optional<std::uint8_t> u8(std::uint64_t offset) const {
        if (!contains(offset, 1)) {
            return std::nullopt;
        }
        return data_[offset];
    }

    // 16- and 32-bit values in the view's byte order.
    std::optional<std::uint16_t> u16(std::uint64_t offset) const {
        if (!contains(offset, 2)) {
            return std::nullopt;
        }
        const std::uint8_t* p = data_ + offset;
        return bigEndian_ ? static_cast<std::uint16_t>((p[0] << 8) | p[1])
                          : static_cast<std::uint16_t>((p[1] << 8) | p[0]);
    }

    std::optional<std::uint32_t> u32(std::uint64_t offset) const {
        if (!contains(offset, 4)) {
            return std::nullopt;
        }
        return bigEndian_ ? bytesBigEndian(offset, 4)
                          : static_cast<std::uint32_t>(bytesLittleEndian(offset, 4));
    }

    // Little-endian whatever the view's order (FLOAT and DOUBLE values).
    std::optional<std::uint32_t> u32le(std::uint64_t offset) const {
        if (!contains(offset, 4)) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(bytesLittleEndian(offset, 4));
    }

    std::optional<std::uint64_t> u64le(std::uint64_t offset) const {
        if (!contains(offset, 8)) {
            return std::nullopt;
        }
        return bytesLittleEndian(offset, 8);
    }

private:
    // Callers have checked the range.
    std::uint64_t bytesLittleEndian(std::uint64_t offset, int n) const {
        std::uint64_t v = 0;
        for (int i = n - 1; i >= 0; --i) {
            v = (v << 8) | data_[offset + static_cast<std::uint64_t>(i)];
        }
        return v;
    }
    std::uint32_t bytesBigEndian(std::uint64_t offset, int n) const {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            v = (v << 8) | data_[offset + static_cast<std::uint64_t>(i)];
        }
        return v;
    }

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool bigEndian_ = false;
};

}  // namespace dz
