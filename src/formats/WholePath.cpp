#include "formats/WholePath.h"

#include "formats/WholeFile.h"
#include "platform/FileSource.h"

#include <fcntl.h>

namespace dz {

bool readWholePath(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    FileSource file(fd);
    return readWholeFile(file, 0, bytes) && !file.failed();
}

}  // namespace dz
