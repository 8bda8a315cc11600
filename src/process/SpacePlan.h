#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

#include <string>
#include <vector>

namespace dz {

// The "drive" of a path as the processing texts show it: the mount point of
// the file system that holds it, "NONE" where there is none.
std::string driveOf(FileSystem& fileSystem, const std::string& path);

// What the space check found, as the Albums Processing window shows it.
struct SpacePlan {
    std::string status;
    std::string hint;
    bool canProcess = false;
    float needMB = 0;
    float freeMB = 0;
};

struct SpaceQuestion {
    bool moveFiles = false;
    std::string targetPath;
    const std::vector<PictureRecord>* catalogue = nullptr;
    const AlbumList* albums = nullptr;
};

// Works out the megabytes the unprocessed albums still need on the target's
// file system (a move within one file system needs room for one picture
// only), asks for the free space there and says whether processing can
// start. A failing free-space query is put to the user, and repeated while
// the answer is Retry.
SpacePlan planSpace(const SpaceQuestion& question, FileSystem& fileSystem, Host& host);

}  // namespace dz
