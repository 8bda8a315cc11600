#include "albums/AlbumMembership.h"

#include "ScriptedHost.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dz::test {
namespace {

constexpr std::size_t kMegabyte = 1048576;

// A picture file of exactly `size` bytes: the data after the end of image is
// never read.
std::string pictureOfSize(const std::string& dateTime, std::size_t size) {
    std::string bytes = tinyExifJpeg(dateTime);
    bytes.resize(std::max(size, bytes.size()), '\0');
    return bytes;
}

TEST(ScannedMembershipTest, ThreeOneMegabyteFilesMakeThreeMegabytes) {
    TempDir dir;
    dir.write("trip/a.jpg", pictureOfSize("2006:05:01 10:00:00", kMegabyte));
    dir.write("trip/b.jpg", pictureOfSize("2006:05:01 11:00:00", kMegabyte));
    dir.write("c.jpg", pictureOfSize("2006:05:01 12:00:00", kMegabyte));
    dir.write("late.jpg", pictureOfSize("2006:05:02 12:00:00", kMegabyte));
    ScriptedHost host;
    FileSystem fileSystem;
    bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.setBiasMinutes(0);
    reader.listFolders(dir.str(), true);
    ASSERT_TRUE(reader.collectPictures("*.jpg", true, false));
    ASSERT_EQ(reader.catalogue().size(), 4u);
    AlbumList albums;
    AlbumEditing editing;
    ASSERT_TRUE(createAlbum(albums, editing, reader, host));
    // Set from the first and third pictures by date, as the window's buttons do.
    reader.sortCatalogue(2, false);
    albums[0].setStart(pictureShotKey(reader.catalogue()[0], 0));
    albums[0].setEnd(pictureShotKey(reader.catalogue()[2], 0));

    runMembershipPass(albums, editing, reader, ViewSettings{}, false, std::nullopt, 0);

    EXPECT_EQ(editing.film.size(), 3u);
    EXPECT_EQ(albums[0].pictureCount, 3);
    EXPECT_EQ(albums[0].sizeMB, 3.0f);
}

}  // namespace
}  // namespace dz::test
