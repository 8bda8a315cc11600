#pragma once

#include "formats/PictureKind.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <vector>

namespace dz {

// One picture file of a shot with the sidecars that name it in full
// ("IMG_1.CR2.xmp"); indices into the folder's listing.
struct ShotFile {
    std::size_t entry = 0;
    std::vector<std::size_t> sidecars;
};

// The files of one folder that share a base name, as the "All photos and
// videos" scan sees them: a raw beside a JPEG or HEIC is the same shot, a
// sidecar follows its picture.
struct FolderShot {
    std::vector<ShotFile> leads;  // JPEG or HEIC/HEIF files
    std::vector<ShotFile> raws;
    std::vector<ShotFile> others;  // pictures of other kinds, each on its own
    std::vector<std::size_t> sidecars;  // named after the base name alone ("IMG_1.xmp")
};

// The shots of a folder listing in the order their first file was listed.
// Folders and files of no known kind belong to none; a sidecar without a
// picture neither.
std::vector<FolderShot> folderShots(const std::vector<DirEntry>& entries, PictureFiles files);

}  // namespace dz
