#include "platform/WorkingFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace dz {

std::string currentDirectory() {
    std::unique_ptr<char, void (*)(void*)> path(::getcwd(nullptr, 0), std::free);
    return path ? std::string(path.get()) : std::string(".");
}

}  // namespace dz
