#pragma once

#include "platform/FileIdentity.h"
#include "platform/RootedFolder.h"

#include <cstdint>
#include <string>

namespace dz {

// A regular file open for reading, with the identity its descriptor tells.
// Links, pipes and devices are refused at the opening, so no read can wait
// for a writer or run on without end.
class OpenedPicture {
public:
    OpenedPicture() = default;
    ~OpenedPicture();
    OpenedPicture(const OpenedPicture&) = delete;
    OpenedPicture& operator=(const OpenedPicture&) = delete;

    // The file `path` names, links followed. 0 or an errno value (EINVAL:
    // not a regular file).
    int open(const std::string& path);
    // The file `relative` beneath `folder`, no link followed at any level.
    int openBeneath(const RootedFolder& folder, const std::string& relative);

    int fd() const { return fd_; }
    const FileIdentity& identity() const { return identity_; }

private:
    int adopt(int fd);

    int fd_ = -1;
    FileIdentity identity_;
};

// How much of each end of a file its quick key reads.
inline constexpr std::uint64_t kQuickKeyEnd = 64 * 1024;

// The quick key of an open file of `size` bytes: a SHA-256 of the size, the
// first and the last kQuickKeyEnd bytes (the whole file when shorter). Files
// of one size with different keys hold different bytes. 0 or an errno value;
// ESTALE when the file no longer has `size` bytes.
int quickKeyOf(const OpenedPicture& file, std::uint64_t size, std::string& key);

// The SHA-256 of all `size` bytes of an open file, as 64 hex digits, reading
// no more than that; ESTALE when the file holds more or fewer bytes.
int fullHashOf(const OpenedPicture& file, std::uint64_t size, std::string& sha256);

// Why a file could not be read, in the program's words.
std::string unreadableText(int error);

}  // namespace dz
