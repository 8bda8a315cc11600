#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// Writes all of `count` bytes to `fd`; 0 or an errno value.
int writeAll(int fd, const std::uint8_t* bytes, std::size_t count);

// Flushes the entries of `folder` (the current folder when empty), so that a
// new name in it survives a crash. File systems that cannot flush a folder
// say so with EINVAL or EROFS; that is no error. 0 or an errno value.
int flushFolderEntries(const std::string& folder);

}  // namespace dz
