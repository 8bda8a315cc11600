#pragma once

#include <string>
#include <sys/types.h>

namespace dz {

// A file beside a target that takes the bytes until they are complete, so
// the target never holds a partial file. Where the file system allows, it
// has no name at all until it is put in place (nothing is left behind even
// by a crash, and one directory entry fewer is written; a replacing copy is
// named only for the moment of the rename, when its bytes are complete);
// else it is a hidden ".<name>.dzpart-XXXXXX" in the target's folder, locked
// while it is in use so that a clean-up of leftovers (removePartialFiles)
// never takes a file another copy is still writing. Removed when it goes,
// unless it was put in place.
// Error results are errno values (0 for success).
class TempFile {
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates the file for reading and writing with `mode` (the umask applies,
    // as to any new file).
    int create(const std::string& target, mode_t mode);

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Closes the descriptor; some file systems report a failed write only here.
    int close();

    // Gives the file the name `target`. Without `replace` an existing target
    // is kept and the result is EEXIST.
    int placeAs(const std::string& target, bool replace);

private:
    void discard();
    int createNamed(const std::string& target, mode_t mode);
    int placeUnnamed(const std::string& target, bool replace);

    int fd_ = -1;
    int lockFd_ = -1;  // holds the named file's lock after fd_ is closed
    bool unnamed_ = false;
    std::string path_;
};

// Renames `from` to `to` unless `to` exists (EEXIST then), also on file
// systems that know no such rename. Returns 0 or an errno value.
int renameNoReplace(const std::string& from, const std::string& to);

// Whether `name` has the form of a temporary file of ours: ".<name>.dzpart-XXXXXX".
bool isPartialFileName(const std::string& name);

// Removes the file `path` if it is a partial file no copy holds open any more
// (a copy killed before it was put in place). True when it was removed.
bool removeAbandonedPart(const std::string& path);

}  // namespace dz
