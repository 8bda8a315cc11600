#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// All of the file at `path`, as readWholeFile reads it; false also when it
// cannot be opened or read. Apart from WholeFile so that readers of bytes in
// memory need nothing of the file system.
bool readWholePath(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace dz
