#pragma once

#include <string>
#include <sys/types.h>

namespace dz {

// A hidden file beside a target (".<name>.dzpart-XXXXXX" in the target's
// folder) that takes the bytes until they are complete, so the target never
// holds a partial file. Removed when it goes, unless it was put in place.
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

    int fd_ = -1;
    std::string path_;
};

// Renames `from` to `to` unless `to` exists (EEXIST then), also on file
// systems that know no such rename. Returns 0 or an errno value.
int renameNoReplace(const std::string& from, const std::string& to);

}  // namespace dz
