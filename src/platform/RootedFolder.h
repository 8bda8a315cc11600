#pragma once

#include "platform/FileIdentity.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// What tells one folder from another across mounts: its file system's id
// (stable for a drive mounted elsewhere, where the kernel derives it from the
// file system's UUID), the device number (for file systems without such an
// id) and the folder's inode.
struct FolderStamp {
    std::uint64_t fileSystem = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool matches(const FolderStamp& recorded) const;
};

// A folder that file operations work beneath, never leaving it: every
// relative path is opened from the folder's own descriptor without following
// a link at any level and without "..", so a link swapped in after a check
// cannot lead outside. Error results are errno values (0 for success).
class RootedFolder {
public:
    RootedFolder() = default;
    ~RootedFolder();
    RootedFolder(RootedFolder&& other) noexcept;
    RootedFolder& operator=(RootedFolder&& other) noexcept;
    RootedFolder(const RootedFolder&) = delete;
    RootedFolder& operator=(const RootedFolder&) = delete;

    // Opens the folder `path`; its last part must not be a link.
    int open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // `path`/`relative`, for texts shown to the user.
    std::string pathOf(const std::string& relative) const;
    FolderStamp stamp() const;

    // A relative path this class accepts: not empty, no leading '/', no
    // empty, "." or ".." part, no NUL, at most 4096 bytes.
    static bool isCleanRelative(const std::string& relative);

    // Opens the folder that holds `relative` beneath the root (a descriptor
    // the caller closes) and gives the entry's own name.
    int openParent(const std::string& relative, int& folderFd, std::string& name) const;

    // The facts of the regular file `relative`; ENOENT when there is none,
    // ELOOP for a link, EINVAL for anything that is not a regular file.
    int facts(const std::string& relative, FileIdentity& identity) const;
    // The SHA-256 of the regular file `relative`, read through one descriptor.
    int hash(const std::string& relative, std::string& sha256) const;
    // Removes the file `relative` when it is still the file `expected`
    // (ESTALE when another file took its name).
    int remove(const std::string& relative, const FileIdentity& expected) const;
    // Makes the missing folders of `relative` (a folder path), each level
    // opened without following links; the ones made are added to `made`.
    int makeFolders(const std::string& relative, std::vector<std::string>& made) const;
    // Removes the folder `relative` when it is empty.
    int removeEmptyFolder(const std::string& relative, bool& removed) const;

private:
    int fd_ = -1;
    std::string path_;
};

// Moves `fromRel` beneath `from` to `toRel` beneath `to`, never replacing a
// file. A rename where both lie on one file system; across file systems a
// copy (see copyBeneath), and the source is removed only when the copy is a
// different file with the same bytes. `sha256` gets the bytes' hash when
// they were read (across file systems), else stays empty.
int moveBeneath(const RootedFolder& from, const std::string& fromRel, const RootedFolder& to,
                const std::string& toRel, std::string& sha256);

// Copies the regular file `fromRel` to `toRel`, never replacing a file: the
// bytes are read once, hashed as they pass, written to an unnamed file (or a
// hidden named one where the file system has no unnamed files), flushed,
// with `readBack` read back from the disk and compared, and only then given
// their name.
int copyBeneath(const RootedFolder& from, const std::string& fromRel, const RootedFolder& to,
                const std::string& toRel, std::string& sha256, bool readBack = true);

}  // namespace dz
