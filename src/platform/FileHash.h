#pragma once

#include <string>

namespace dz {

// The SHA-256 of the bytes of `path` as 64 hex digits; 0 or an errno value.
// It touches no FileSystem object, so a worker thread can hash a picture
// while the run copies it.
int sha256OfFile(const std::string& path, std::string& sha256);

}  // namespace dz
