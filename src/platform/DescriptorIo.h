#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

class Sha256;

// Writes all of `count` bytes to `fd`; 0 or an errno value.
int writeAll(int fd, const std::uint8_t* bytes, std::size_t count);

// Streams the rest of `in` into `out` through a buffer, `hash` (when given)
// taking the bytes as they pass. `readFailed` tells a failing source from a
// failing target, so that the user is told which device gives up. 0 or an
// errno value.
int copyThrough(int in, int out, bool& readFailed, Sha256* hash = nullptr);

// The calling thread's hasher, shared by its copies so that a copy that
// changes its way halfway still hashes in order.
class ChunkHasher;
ChunkHasher& threadHasher();

// Reads up to `count` bytes at `offset`, fewer only at the end of the file;
// `got` tells how many. 0 or an errno value.
int readAt(int fd, std::uint8_t* out, std::size_t count, long long offset, std::size_t& got);

// Flushes the entries of `folder` (the current folder when empty), so that a
// new name in it survives a crash. File systems that cannot flush a folder
// say so with EINVAL or EROFS; that is no error. 0 or an errno value.
int flushFolderEntries(const std::string& folder);

}  // namespace dz
