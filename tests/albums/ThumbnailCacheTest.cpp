#include "albums/ThumbnailCache.h"
#include "albums/ThumbnailMaker.h"
#include "image/PngWriter.h"
#include "platform/Md5.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace dz::test {
namespace {

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string textOf(const std::vector<std::uint8_t>& png, const std::string& key) {
    for (const auto& [k, v] : pngTexts(png)) {
        if (k == key) {
            return v;
        }
    }
    return "<none>";
}

void setModificationTime(const std::string& path, long seconds) {
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
}

TEST(ThumbnailCacheTest, NamesEntriesAsTheDesktopDoes) {
    // The example of the thumbnail standard.
    EXPECT_EQ(md5Hex("file:///home/jens/photos/me.png"), "c6ee772d9e49320e97ec29a7eb5b1697");
    EXPECT_EQ(md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(fileUri("/home/jens/photos/me.png"), "file:///home/jens/photos/me.png");
    EXPECT_EQ(fileUri("/a b/été#1.jpg"), "file:///a%20b/%C3%A9t%C3%A9%231.jpg");
    const ThumbnailCache cache("/home/jens/.cache/thumbnails");
    EXPECT_EQ(cache.entryPath("/home/jens/photos/me.png"),
              "/home/jens/.cache/thumbnails/large/c6ee772d9e49320e97ec29a7eb5b1697.png");
    EXPECT_EQ(ThumbnailCache::folderFor("/x/cache", "/home/u"), "/x/cache/thumbnails");
    EXPECT_EQ(ThumbnailCache::folderFor(nullptr, "/home/u"), "/home/u/.cache/thumbnails");
    EXPECT_EQ(ThumbnailCache::folderFor("", nullptr), "");
}

// A picture without an embedded thumbnail goes through the cache.
TEST(ThumbnailCacheTest, EntryIsWrittenReadAndRemadeWhenThePictureChanged) {
    TempDir dir;
    PictureRecord picture;
    picture.path = dir.write("photos/big.jpg", readTestData("reconyx-2048x1536-no-thumbnail.jpg")).string();
    picture.block = std::make_shared<PictureBlock>();
    setModificationTime(picture.path, 1700000000);
    const ThumbnailCache cache((dir.path() / "thumbnails").string());

    CRaster source;
    ASSERT_TRUE(loadThumbnailSource(picture, source, cache));
    const std::filesystem::path entry = cache.entryPath(picture.path);
    const std::vector<std::uint8_t> png = bytesOf(entry);
    ASSERT_FALSE(png.empty()) << entry;
    EXPECT_EQ(textOf(png, "Thumb::URI"), fileUri(picture.path));
    EXPECT_EQ(textOf(png, "Thumb::MTime"), "1700000000");
    CRaster stored;
    ASSERT_TRUE(stored.decodeMemory(png.data(), png.size(), ImageFormat::Png));
    EXPECT_EQ(stored.width(), 256);
    EXPECT_EQ(stored.height(), 192);
    // Written beside the entry and renamed: nothing else is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(entry.parent_path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(std::filesystem::status(entry).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // A current entry is what the next session reads: a grey one is taken as it is.
    CRaster grey;
    ASSERT_TRUE(grey.createBlank(64, 48, 24));
    const std::vector<std::uint8_t> greyPng =
        encodePng(grey, {{"Thumb::URI", fileUri(picture.path)}, {"Thumb::MTime", "1700000000"}});
    std::ofstream(entry, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(greyPng.data()), static_cast<std::streamsize>(greyPng.size()));
    ASSERT_TRUE(cache.read(picture.path, 1700000000, source));
    EXPECT_EQ(source.width(), 64);
    ASSERT_TRUE(loadThumbnailSource(picture, source, cache));
    EXPECT_EQ(source.width(), 64);

    // The picture changed since: the entry is stale and made again.
    setModificationTime(picture.path, 1700000500);
    EXPECT_FALSE(cache.read(picture.path, 1700000500, source));
    ASSERT_TRUE(loadThumbnailSource(picture, source, cache));
    EXPECT_EQ(source.width(), 512);
    EXPECT_EQ(textOf(bytesOf(entry), "Thumb::MTime"), "1700000500");
    // An entry that names another file is not taken.
    const std::string other = picture.path + ".copy";
    std::filesystem::copy_file(entry, cache.entryPath(other));
    EXPECT_FALSE(cache.read(other, 1700000500, source));
}

}  // namespace
}  // namespace dz::test
