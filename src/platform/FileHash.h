#pragma once

#include <string>

namespace dz {

// The SHA-256 of the bytes of `path` as 64 hex digits; 0 or an errno value.
// It touches no FileSystem object.
int sha256OfFile(const std::string& path, std::string& sha256);

// The same of the whole file behind an open descriptor, read from its start.
int sha256OfDescriptor(int fd, std::string& sha256);

}  // namespace dz
