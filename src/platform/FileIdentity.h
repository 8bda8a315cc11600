#pragma once

#include <cstdint>
#include <string>

struct stat;

namespace dz {

// Which file a name leads to, and the facts that tell whether it changed:
// a rename keeps all of them, a rewrite changes the size or the time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, ns since 1970

    bool sameFile(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` names, links followed; false when it cannot
// be reached (errno tells why).
bool identifyFile(const std::string& path, FileIdentity& identity);

// The identity of an open descriptor.
bool identifyDescriptor(int fd, FileIdentity& identity);

// The identity a stat of the file tells.
FileIdentity identityOf(const struct stat& st);

// True when both paths exist and lead to one file: a hard link, a folder
// reached through a link or a bind mount, the same path written twice.
bool sameFileAt(const std::string& a, const std::string& b);

}  // namespace dz
