#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dz {

// Reads bytes at any offset of a file that may be gigabytes long.
class BoxSource {
public:
    virtual ~BoxSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly `count` bytes at `offset`, or false.
    virtual bool readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) = 0;
};

class MemoryBoxSource final : public BoxSource {
public:
    MemoryBoxSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        if (offset > size_ || count > size_ - offset) {
            return false;
        }
        std::memcpy(out, data_ + offset, count);
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace dz
