#pragma once

#include "platform/ByteSource.h"

#include <cstdint>
#include <vector>

namespace dz {

// Files beyond this are no picture a camera writes; readers that need the
// whole file refuse them rather than take the memory.
inline constexpr std::uint64_t kMaxWholeFileBytes = std::uint64_t{1} << 30;

// Reads all of `file` (`size` bytes expected, a hint only) into `bytes`.
// False when it is larger than kMaxWholeFileBytes or memory runs out.
bool readWholeFile(ByteSource& file, std::uint64_t size, std::vector<std::uint8_t>& bytes);

}  // namespace dz
