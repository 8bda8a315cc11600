#pragma once

#include "image/CRaster.h"

#include <cstdint>
#include <string>

namespace dz {

// The desktop's shared thumbnail cache, as file managers and image viewers
// keep it: a PNG per picture in `large` (at most 256 pixels a side), named by
// the MD5 of the picture's file URI and carrying that URI and the picture's
// modification time, so that a picture changed since is made again.
class ThumbnailCache {
public:
    static constexpr int kLargeSide = 256;

    // `folder` is the thumbnails folder itself; empty: nothing is cached.
    ThumbnailCache() = default;
    explicit ThumbnailCache(std::string folder) : folder_(std::move(folder)) {}

    // $XDG_CACHE_HOME/thumbnails, else $HOME/.cache/thumbnails; empty
    // when neither is set (as given by the environment, null when unset).
    static std::string folderFor(const char* xdgCacheHome, const char* home);

    bool enabled() const { return !folder_.empty(); }
    const std::string& folder() const { return folder_; }
    // Where the entry of the picture file at `path` (absolute) is kept.
    std::string entryPath(const std::string& path) const;

    // The cached thumbnail when the entry names this picture and its
    // modification time (seconds).
    bool read(const std::string& path, std::int64_t mtime, CRaster& out) const;
    // Whether that entry is there and current, from its first bytes only.
    bool has(const std::string& path, std::int64_t mtime) const;
    // Stores the picture at most 256 pixels a side; written beside the entry
    // and renamed over it, so a reader never sees half a file.
    bool write(const std::string& path, std::int64_t mtime, const CRaster& picture) const;

private:
    std::string folder_;
};

// The file:// URI of an absolute path; bytes other than letters, digits and
// "-._~!$&'()*+,;=:@/" are written as %XX, as the desktop libraries do.
std::string fileUri(const std::string& path);

// The modification time of a file in seconds; false when it cannot be read.
bool fileModificationTime(const std::string& path, std::int64_t& mtime);

}  // namespace dz
