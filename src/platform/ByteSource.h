#pragma once

#include <cstddef>
#include <cstdint>

namespace dz {

// A forward-only stream of bytes: a file opened for reading, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Next byte, or -1 at the end or on a read error.
    virtual int readByte() = 0;
    // Reads up to `count` bytes into `out`; returns how many arrived.
    virtual std::size_t read(std::uint8_t* out, std::size_t count) = 0;
};

// Bytes in memory; never reads past `size`.
class MemorySource final : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int readByte() override { return pos_ < size_ ? data_[pos_++] : -1; }
    std::size_t read(std::uint8_t* out, std::size_t count) override;
    std::size_t position() const { return pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace dz
