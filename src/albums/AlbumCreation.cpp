#include "albums/AlbumMembership.h"

namespace dz {

namespace {

constexpr const char* kNoFreePicture =
    "Picture List is empty. All pictures are in albums. Double click on any album's name from "
    "Album List to view album's pictures";

Album newAlbum(std::int32_t id) {
    Album album;
    album.id = id;
    return album;
}

}  // namespace

bool createAlbum(AlbumList& albums, AlbumEditing& editing, CDirReader& reader, Host& host) {
    // The first album may start without free pictures: a scan may not have run yet.
    if (albums.empty()) {
        albums.push_back(newAlbum(1));
        return true;
    }
    reader.sortCatalogue(2, false);
    bool anyFree = false;
    for (const PictureRecord& picture : reader.catalogue()) {
        if (picture.albumId == 0) {
            editing.film.push_back(picture);
            anyFree = true;
        }
    }
    // Judged on the pictures found, not on the film, so that copies a window
    // left behind cannot make a new album look possible.
    if (!anyFree) {
        host.messageBox(kNoFreePicture, "Dezoredu", Icon::Information, Buttons::Ok);
        return false;
    }
    albums.push_back(newAlbum(albums.back().id + 1));
    return true;
}

}  // namespace dz
