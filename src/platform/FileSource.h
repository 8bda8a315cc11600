#pragma once

#include "platform/ByteSource.h"

#include <cstddef>
#include <cstdint>

namespace dz {

// A file opened for reading, over a POSIX descriptor it owns. Single bytes
// come from a buffer of at most four bytes (one section header), blocks are
// read straight into the caller's memory, so a decoder that reads a header
// and then the section body costs two system calls per section and never
// reads much beyond what it asked for.
class FileSource final : public ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    int readByte() override;
    std::size_t read(std::uint8_t* out, std::size_t count) override;

    // True once a read() system call failed (not merely reached the end).
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kBufferSize = 4;

    // Reads up to `count` bytes from the descriptor, retrying short reads.
    std::size_t readFromFile(std::uint8_t* out, std::size_t count);

    int fd_;
    std::uint8_t buffer_[kBufferSize] = {};
    std::size_t bufferPos_ = 0;
    std::size_t bufferEnd_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

}  // namespace dz
