#include "process/AlbumFolders.h"
#include "albums/AlbumDetails.h"
#include "albums/AlbumMembership.h"
#include "catalogue/PictureTimeStamp.h"
#include "process/PictureName.h"

#include "platform/TimeZone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace dz::test {
namespace {

PictureRecord pictureAt(const std::string& path, const std::string& dateTime, int filmIndex) {
    PictureRecord picture;
    picture.path = path;
    picture.block = std::make_shared<PictureBlock>();
    picture.block->exif.dateTime = dateTime;
    picture.block->exif.cameraMake = "Canon";
    picture.block->exif.cameraModel = "Canon EOS 40D";
    picture.block->filmImageIndex = filmIndex;
    return picture;
}

Album plainAlbum() {
    Album album;
    album.id = 3;
    album.addDate = 0;
    album.addTime = 0;
    return album;
}

// Shot times are read and shown with the same current bias, as the program
// does, so the texts do not depend on the zone the test runs in.
const int kBias = currentTimeZone().totalBiasMinutes();
const NameFormats kIsoDate{1, 1, kBias};

TEST(PictureNameTest, AlbumNameWithFilmPositionDateAndTime) {
    Album album = plainAlbum();
    album.name = "Trip";
    album.addDate = 1;
    album.addTime = 1;
    const PictureRecord picture = pictureAt("/photos/IMG_0001.JPG", "2006:05:14 10:20:30", 7);
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "Trip-7 [2006-05-14] [10 20 30].jpg");
    EXPECT_EQ(buildPictureName(picture, album, NameFormats{3, 2, kBias}), "Trip-7 [14 May 2006] [10 20 30 AM].jpg");
}

// A shot at a whole hour is named at it, not at 01 minute 01 second; the
// album end picked on it shows its time as well.
TEST(PictureNameTest, ZeroMinutesAndSecondsAreNamedAsTheyAre) {
    Album album = plainAlbum();
    album.name = "Lisbon";
    album.addDate = 1;
    album.addTime = 1;
    const PictureRecord picture = pictureAt("/photos/IMG_0001.JPG", "2024:07:11 09:00:00", 1);
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "Lisbon-1 [2024-07-11] [09 00 00].jpg");
    const PictureRecord noon = pictureAt("/photos/IMG_0002.JPG", "2024:07:11 12:30:00", 2);
    const std::vector<PictureRecord> pictures{noon, picture};
    album.setStart(pictureShotKey(picture, kBias));
    album.setEnd(pictureShotKey(noon, kBias));
    const auto lines = albumDetailsLines(album, "/t", 1, 1, pictures, kBias);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Start date: [2024-07-11]/[09 00 00]"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "End date: [12 30 00]"), lines.end());
    // The key the album compares keeps its rule, as stored sessions hold it.
    EXPECT_EQ(pictureShotKey(picture, kBias) - static_cast<std::uint64_t>(pictureShownTime(picture, kBias)),
              61u * kFileTimePerSecond);
}

// Names that sort: numbered within the album in its order, padded to its
// count, fields joined by "_" without spaces or brackets; a typed label is
// kept as typed and the camera is named once.
TEST(PictureNameTest, SortableNamesAreNumberedWithinTheAlbum) {
    Album album = plainAlbum();
    album.name = "Lisbon Old Town";
    album.naming = AlbumNaming::Sortable;
    album.addDate = 1;
    album.addTime = 1;
    album.addCameraModel = 1;
    std::vector<PictureRecord> catalogue;
    for (int i = 0; i < 12; ++i) {
        // Film positions far apart and out of order; shot times in order.
        const std::string time = "2024:07:05 09:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ":00";
        catalogue.push_back(pictureAt("/p/IMG_" + std::to_string(100 - i) + ".JPG", time, 50 - i));
        catalogue.back().writeTime = pictureTimeStamp(time, kBias);
        catalogue.back().albumId = album.id;
    }
    catalogue.push_back(pictureAt("/p/other.JPG", "2024:07:05 08:00:00", 1));
    const AlbumNumbers numbers(catalogue, album);
    EXPECT_EQ(buildShotNames(catalogue[0], album, kIsoDate, &numbers).names().front(),
              "Lisbon-Old-Town-01_2024-07-05_09-00-00_Canon-EOS-40D.jpg");
    EXPECT_EQ(buildShotNames(catalogue[11], album, kIsoDate, &numbers).stem,
              "Lisbon-Old-Town-12_2024-07-05_09-11-00_Canon-EOS-40D");
    catalogue[3].block->exif.cameraMake.clear();
    catalogue[3].block->exif.cameraModel.clear();
    catalogue[3].block->hasCustomName = true;
    catalogue[3].block->customName = "Tram 28 [best]";
    EXPECT_EQ(buildShotNames(catalogue[3], album, kIsoDate, &numbers).stem, "Tram 28 [best]_2024-07-05_09-03-00");
    EXPECT_EQ(cameraText("Apple", "iPhone 11"), "Apple-iPhone 11");
    EXPECT_EQ(cameraText("", ""), "");
    // Today's form stays as it was.
    album.naming = AlbumNaming::FilmPosition;
    EXPECT_EQ(buildShotNames(catalogue[0], album, kIsoDate, &numbers).stem,
              "Lisbon Old Town-50 [2024-07-05] [09 00 00] Canon-Canon EOS 40D");
}

TEST(PictureNameTest, BaseRulesInTheirOrder) {
    Album album = plainAlbum();
    PictureRecord picture = pictureAt("/photos/sub.dir/IMG_0001.big.JPG", "2006:05:14 10:20:30", 2);
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "album3-2.jpg");
    album.name = "Trip";
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "Trip-2.jpg");
    album.keepOriginalName = 1;
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "IMG_0001.jpg");
    picture.block->customName = "Grandma at the lake";
    picture.block->hasCustomName = true;
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "Grandma at the lake.jpg");
    album.addCameraModel = 1;
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "Grandma at the lake Canon-Canon EOS 40D.jpg");
}

TEST(PictureNameTest, OriginalNameWithoutExtensionAndWithoutFolder) {
    EXPECT_EQ(baseText("/photos/IMG_0001.JPG"), "IMG_0001");
    EXPECT_EQ(baseText("/photos.old/IMG_0001"), "IMG_0001");
    EXPECT_EQ(baseText("IMG.a.b"), "IMG");
}

TEST(PictureNameTest, NewNamesKeepTheFilesOwnExtensionInLowerCase) {
    Album album = plainAlbum();
    album.name = "Trip";
    EXPECT_EQ(buildPictureName(pictureAt("/in/DSC_0001.NEF", "2004:06:09 16:02:35", 2), album, kIsoDate), "Trip-2.nef");
    EXPECT_EQ(buildPictureName(pictureAt("/in/IMG_1.JPG", "2004:06:09 16:02:35", 1), album, kIsoDate), "Trip-1.jpg");
    EXPECT_EQ(buildPictureName(pictureAt("/in/a.b/IMG_1", "2004:06:09 16:02:35", 1), album, kIsoDate), "Trip-1.jpg");
    album.keepOriginalName = 1;
    EXPECT_EQ(buildPictureName(pictureAt("/in/P1.x.Rw2", "2004:06:09 16:02:35", 1), album, kIsoDate), "P1.rw2");
}

TEST(PictureNameTest, SeparatorsInNamesCannotOpenFolders) {
    Album album = plainAlbum();
    PictureRecord picture = pictureAt("/photos/IMG_0001.JPG", "2006:05:14 10:20:30", 1);
    picture.block->customName = "../../etc/passwd";
    picture.block->hasCustomName = true;
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), ".._.._etc_passwd.jpg");
    album.name = "a/b";
    picture.block->hasCustomName = false;
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "a_b-1.jpg");
    picture.block->exif.cameraModel = "X/Y";
    album.addCameraModel = 1;
    EXPECT_EQ(buildPictureName(picture, album, kIsoDate), "a_b-1 Canon-X_Y.jpg");
}

TEST(PictureNameTest, DayFolderIsTheDateWithoutBrackets) {
    const PictureRecord picture = pictureAt("/photos/IMG_0001.JPG", "2006:05:14 10:20:30", 1);
    EXPECT_EQ(dayName(picture, kIsoDate), "2006-05-14");
    EXPECT_EQ(dayName(picture, NameFormats{4, 1, kBias}), "May 14, 2006");
    EXPECT_EQ(dayName(picture, NameFormats{11, 1, kBias}), "");
}

TEST(AlbumFoldersTest, DirectoryNameLevels) {
    using Levels = std::vector<std::string>;
    EXPECT_EQ(dirNameLevels("2006"), Levels{"2006"});
    EXPECT_EQ(dirNameLevels("2006\\Trip"), (Levels{"2006", "Trip"}));
    EXPECT_EQ(dirNameLevels("\\2006/Trip\\"), (Levels{"2006", "Trip"}));
    EXPECT_EQ(dirNameLevels("/etc"), Levels{"etc"});
    EXPECT_EQ(dirNameLevels("./a/./b"), (Levels{"a", "b"}));
    EXPECT_EQ(dirNameLevels("\\"), Levels{});
    EXPECT_EQ(dirNameLevels("..Trip.."), Levels{"..Trip.."});
    EXPECT_FALSE(dirNameLevels(".."));
    EXPECT_FALSE(dirNameLevels("2006\\..\\..\\outside"));
    EXPECT_FALSE(dirNameLevels("a/../b"));
}

TEST(AlbumFoldersTest, AlbumFolderIsOneLevel) {
    Album album;
    album.id = 12;
    EXPECT_EQ(albumFolderName(album), "Album.12");
    album.name = "Trip/2006";
    EXPECT_EQ(albumFolderName(album), "Trip_2006");
    album.name = "..";
    EXPECT_FALSE(albumFolderName(album));
    album.name = "...";
    EXPECT_EQ(albumFolderName(album), "...");
}

}  // namespace
}  // namespace dz::test
