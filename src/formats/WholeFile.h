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

// Reads the next `count` bytes of `file` into `bytes`, taking memory only as
// they arrive, so that a length a broken file claims costs nothing. False
// when the file ends first, memory runs out or `count` is beyond
// kMaxWholeFileBytes.
bool readFileBytes(ByteSource& file, std::uint64_t count, std::vector<std::uint8_t>& bytes);

}  // namespace dz
