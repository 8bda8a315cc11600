#include "formats/WholeFile.h"

#include <new>

namespace dz {

bool readWholeFile(ByteSource& file, std::uint64_t size, std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    bytes.clear();
    if (size > kMaxWholeFileBytes) {
        return false;
    }
    try {
        bytes.reserve(static_cast<std::size_t>(size));
        for (;;) {
            const std::size_t had = bytes.size();
            if (had >= kMaxWholeFileBytes) {
                return false;
            }
            bytes.resize(had + kChunk);
            const std::size_t got = file.read(bytes.data() + had, kChunk);
            bytes.resize(had + got);
            if (got < kChunk) {
                return true;
            }
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
}

}  // namespace dz
