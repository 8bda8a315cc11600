#include "formats/WholeFile.h"

#include <algorithm>
#include <new>

namespace dz {

bool readWholeFile(ByteSource& file, std::uint64_t size, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    bytes.clear();
    if (size > kMaxWholeFileBytes) {
        return false;
    }
    try {
        // The expected size and one byte more, which tells the end without
        // zero-filling a chunk for a small file.
        std::size_t want = static_cast<std::size_t>(size) + 1;
        bytes.reserve(want);
        for (;;) {
            const std::size_t had = bytes.size();
            if (had >= kMaxWholeFileBytes) {
                return false;
            }
            bytes.resize(had + want);
            const std::size_t got = file.read(bytes.data() + had, want);
            bytes.resize(had + got);
            if (got < want) {
                return true;
            }
            want = kChunk;
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
}

bool readFileBytes(ByteSource& file, std::uint64_t count, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    bytes.clear();
    if (count > kMaxWholeFileBytes) {
        return false;
    }
    try {
        while (bytes.size() < count) {
            const std::size_t had = bytes.size();
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, count - had));
            bytes.resize(had + want);
            if (file.read(bytes.data() + had, want) != want) {
                bytes.clear();
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace dz
