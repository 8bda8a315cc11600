#pragma once

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "platform/TimeZone.h"

#include "ScriptedHost.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace dz::test {

inline constexpr const char* kNikon = "nikon-640x480-exif-thumbnail-160x120.jpg";
inline constexpr const char* kCanon = "canon-40d.jpg";

// A source folder of real pictures, scanned as the program scans, with the
// application state an Edit Album window works on.
class FilmTest : public ::testing::Test {
protected:
    // Copies test pictures into the folder under new names.
    void put(const std::string& name, const std::string& dataFile) { dir.write(name, readTestData(dataFile)); }
    void putBytes(const std::string& name, const std::string& bytes) { dir.write(name, bytes); }

    void scan() {
        reader.setBiasMinutes(ws.biasMinutes);
        reader.listFolders(dir.str(), true);
        ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
    }

    PictureRecord& record(const std::string& name) {
        auto& c = reader.catalogue();
        const auto found = std::find_if(c.begin(), c.end(), [&](const PictureRecord& r) {
            return r.path.size() >= name.size() + 1 && r.path.substr(r.path.size() - name.size() - 1) == "/" + name;
        });
        EXPECT_NE(found, c.end()) << name;
        return *found;
    }

    // A new album as the main window makes one before the window opens.
    Album& newAlbum() {
        EXPECT_TRUE(createAlbum(albums, editing, reader, host));
        editing.editingAlbum = 0;
        return albums.back();
    }

    std::vector<std::string> messageTexts() const { return host.messageTexts(); }

    TempDir dir;
    ScriptedHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader{host, fileSystem, abortRequest};
    AlbumList albums;
    AlbumEditing editing;
    ViewSettings view;
    FilmImageList images;
    bool filmBuilt = false;
    std::int32_t dateFormat = 1;
    std::int32_t timeFormat = 1;
    std::int32_t excludeDuplicates = 0;
    AlbumWorkspace ws{host,   reader,      albums,     editing,    view,
                      images, filmBuilt,   abortRequest, dateFormat, timeFormat,
                      excludeDuplicates, currentTimeZone().totalBiasMinutes(), "DEZOREDU.HLP"};
};

}  // namespace dz::test
