#include "platform/FileIdentity.h"

#include <sys/stat.h>

namespace dz {

FileIdentity identityOf(const struct stat& st) {
    FileIdentity id;
    id.device = static_cast<std::uint64_t>(st.st_dev);
    id.inode = static_cast<std::uint64_t>(st.st_ino);
    id.size = static_cast<std::uint64_t>(st.st_size);
    id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return id;
}

bool identifyFile(const std::string& path, FileIdentity& identity) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    identity = identityOf(st);
    return true;
}

bool identifyDescriptor(int fd, FileIdentity& identity) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return false;
    }
    identity = identityOf(st);
    return true;
}

bool sameFileAt(const std::string& a, const std::string& b) {
    FileIdentity left;
    FileIdentity right;
    return identifyFile(a, left) && identifyFile(b, right) && left.sameFile(right);
}

}  // namespace dz
