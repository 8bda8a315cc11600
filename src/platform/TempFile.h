#pragma once

#include <string>
#include <sys/types.h>

namespace dz {

// A file beside a target that takes the bytes until they are complete, so
// the target never holds a partial file. Where the file system allows, it
// has no name at all until it is put in place (nothing is left behind even
// by a crash, and one directory entry fewer is written); else it is a hidden
// ".<name>.dzpart-XXXXXX" in the target's folder. Removed when it goes,
// unless it was put in place.
// Error results are errno values (0 for success).
class TempFile {
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates the file for reading and writing with `mode` (the umask applies,
    // as to any new file). `replace` tells how it will be put in place: an
    // unnamed file can only take a name that is free.
    int create(const std::string& target, mode_t mode, bool replace);

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

    int fd_ = -1;
    bool unnamed_ = false;
    std::string path_;
};

// Renames `from` to `to` unless `to` exists (EEXIST then), also on file
// systems that know no such rename. Returns 0 or an errno value.
int renameNoReplace(const std::string& from, const std::string& to);

}  // namespace dz
