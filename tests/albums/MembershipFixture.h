#pragma once

#include "albums/AlbumMembership.h"
#include "catalogue/PictureTimeStamp.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace dz::test {

// A catalogue built record by record, numbered as a built film numbers it,
// with the album list and editing state the pass works on. Stamps use bias 0.
class MembershipTest : public ::testing::Test {
protected:
    static constexpr int kBias = 0;

    void add(const std::string& name, const std::string& dateTime, std::int32_t albumId = 0,
             std::uint64_t size = 1000, const std::string& make = "TestCam", const std::string& model = "") {
        PictureRecord picture;
        picture.path = "/src/" + name;
        picture.exifFound = true;
        picture.size = size;
        picture.albumId = albumId;
        picture.block = std::make_shared<PictureBlock>();
        picture.block->exif.dateTime = dateTime;
        picture.block->exif.cameraMake = make;
        picture.block->exif.cameraModel = model;
        picture.block->filmImageIndex = static_cast<std::int32_t>(reader.catalogue().size());
        picture.createTime = picture.writeTime = pictureTimeStamp(dateTime, kBias);
        reader.catalogue().push_back(std::move(picture));
    }

    PictureRecord& record(const std::string& name) {
        auto& c = reader.catalogue();
        const auto found = std::find_if(c.begin(), c.end(),
                                        [&](const PictureRecord& r) { return r.path == "/src/" + name; });
        EXPECT_NE(found, c.end()) << name;
        return *found;
    }

    std::uint64_t keyOf(const std::string& name) { return pictureShotKey(record(name), kBias); }

    Album& album(std::int32_t id) {
        albums.emplace_back();
        albums.back().id = id;
        return albums.back();
    }

    void edit(std::int32_t id) {
        editing.editingAlbum = 1;
        editing.editedAlbumId = id;
    }

    std::vector<PictureRecord>& pass(bool excludeDuplicates = false,
                                     const std::optional<OpenFilterWindow>& window = std::nullopt) {
        return runMembershipPass(albums, editing, reader, view, excludeDuplicates, window, kBias);
    }

    // File names of the film, in film order.
    std::vector<std::string> filmNames() const {
        std::vector<std::string> names;
        for (const PictureRecord& picture : editing.film) {
            names.push_back(picture.path.substr(picture.path.rfind('/') + 1));
        }
        return names;
    }

    const PictureRecord* onFilm(const std::string& name) const {
        for (const PictureRecord& picture : editing.film) {
            if (picture.path == "/src/" + name) {
                return &picture;
            }
        }
        return nullptr;
    }

    ScriptedHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader{host, fileSystem, abortRequest};
    AlbumList albums;
    AlbumEditing editing;
    ViewSettings view;
};

}  // namespace dz::test
