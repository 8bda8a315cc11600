#pragma once

#include <string>

namespace dz {

// The process's current directory; "." when it cannot be read.
std::string currentDirectory();

}  // namespace dz
