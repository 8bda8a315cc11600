#pragma once

#include "formats/BoxSource.h"

#include <string>

namespace dz {

// The file at a path, read at any offset with pread; of size 0 (so every
// read fails) when it cannot be opened.
class FileBoxSource final : public BoxSource {
public:
    explicit FileBoxSource(const std::string& path);
    ~FileBoxSource() override;
    FileBoxSource(const FileBoxSource&) = delete;
    FileBoxSource& operator=(const FileBoxSource&) = delete;

    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;

private:
    int fd_;
    std::uint64_t size_ = 0;
};

}  // namespace dz
