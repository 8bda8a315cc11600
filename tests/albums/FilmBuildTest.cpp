#include "albums/VirtualFilm.h"

#include "albums/ThumbnailMaker.h"
#include "FilmFixture.h"

#include <cstdlib>

namespace dz::test {
namespace {

// A 24-bit pixel of the thumbnail, counted from the top-left corner.
struct Rgb {
    int r, g, b;
};
Rgb pixelAt(const CRaster& image, int x, int y) {
    const std::uint8_t* p = image.topDownRow(y) + x * 3;
    return {p[2], p[1], p[0]};
}
bool isBlack(Rgb p) { return p.r == 0 && p.g == 0 && p.b == 0; }
bool near(int a, int b) { return std::abs(a - b) <= 8; }  // 16-bit storage keeps 5 or 6 bits

class BuiltFilmTest : public FilmTest {
protected:
    void SetUp() override {
        put("b-nikon.jpg", kNikon);         // embedded 160 x 120 thumbnail
        put("a-canon.jpg", kCanon);         // embedded 68 x 46 thumbnail
        put("c-fuji.jpg", "fujifilm-e500-big-endian.jpg");  // no thumbnail, a 59 x 100 portrait
        scan();
    }

    FilmOutcome build() { return film.build(); }
    // The background work to its end, as the window's idle calls take it.
    FilmWork finish() {
        FilmWork state = FilmWork::Working;
        for (int round = 0; round < 2000 && state == FilmWork::Working; ++round) {
            state = film.work(true);
        }
        return state;
    }

    const CRaster thumbOf(const std::string& name) { return images.image(record(name).block->imageListIndex); }

    Control topLine;
    Control list;
    int passes = 0;
    VirtualFilm film{ws, topLine, list, [this] { ++passes; }};
};

TEST_F(BuiltFilmTest, MakesOneThumbnailPerPictureAndLabelsTheFilm) {
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    EXPECT_TRUE(filmBuilt);
    ASSERT_EQ(images.size(), 3);
    EXPECT_TRUE(images.imageRgb888(0).empty()) << "thumbnails are made in the background";
    ASSERT_EQ(finish(), FilmWork::Idle);
    EXPECT_TRUE(images.complete());
    EXPECT_EQ(images.imageRgb888(0).size(), 160u * 120u * 3u);
    EXPECT_EQ(topLine.text, "Building film. Adding picture: 3, left 0.");
    // Date order: canon (May 2008), nikon (October 2008), fuji (2006) first.
    ASSERT_EQ(list.itemLabels().size(), 3u);
    EXPECT_EQ(list.itemLabels()[0], "1.c-fuji.[2006-08-17] [09 24 48]\nFUJIFILM/FinePix E500   ");
    EXPECT_EQ(list.itemLabels()[1], "2.a-canon.[2008-05-30] [15 56 01]\nCanon/Canon EOS 40D");
    EXPECT_EQ(list.itemLabels()[2], "3.b-nikon.[2008-10-22] [16 28 39]\nNIKON/COOLPIX P6000");
    EXPECT_EQ(list.imageStrip, &images);
    // Drawn with the date and time on a line of their own.
    EXPECT_EQ(list.itemCaption(1), "2.a-canon.\n[2008-05-30] [15 56 01]\nCanon/Canon EOS 40D");
    for (std::size_t i = 0; i < 3; ++i) {
        const PictureBlock& block = *editing.film[i].block;
        EXPECT_EQ(list.itemImages[i], block.imageListIndex);
        EXPECT_EQ(block.filmImageIndex, block.imageListIndex);
    }
}

// The next session over a filled cache: thumbnails off screen are only found
// there, and those that come into view get their own pixels, never black ones.
TEST_F(BuiltFilmTest, AFilledCacheGivesThePicturesInViewTheirOwnPixels) {
    TempDir cache;
    ws.thumbnailCacheFolder = cache.str() + "/thumbnails";
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    ASSERT_EQ(finish(), FilmWork::Idle);
    const std::vector<std::uint8_t> made = images.imageRgb888(0);
    filmBuilt = false;
    images.release();
    ASSERT_EQ(build(), FilmOutcome::Done);
    ASSERT_EQ(finish(), FilmWork::Idle);
    EXPECT_TRUE(images.complete());
    EXPECT_FALSE(images.hasPixels(0)) << "found in the cache, not made";
    film.showItems(0, 2);
    ASSERT_EQ(finish(), FilmWork::Idle);
    ASSERT_TRUE(images.hasPixels(0));
    const std::vector<std::uint8_t> found = images.imageRgb888(0);
    ASSERT_EQ(found.size(), made.size());
    long difference = 0;
    for (std::size_t i = 0; i < made.size(); ++i) {
        difference += std::abs(static_cast<int>(found[i]) - static_cast<int>(made[i]));
    }
    // The cache may keep a smaller source than the first session decoded.
    EXPECT_LT(difference / static_cast<long>(made.size()), 8);
}

TEST_F(BuiltFilmTest, ThumbnailsKeepProportionsOnBlackBars) {
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    ASSERT_EQ(finish(), FilmWork::Idle);
    // The nikon's embedded thumbnail is taken as it is.
    CRaster embedded;
    const ExifInfo& exif = record("b-nikon.jpg").exif();
    ASSERT_TRUE(embedded.decodeMemory(exif.thumbnail.data(), exif.thumbnailSize, ImageFormat::Detect));
    ASSERT_EQ(embedded.width(), 160);
    const CRaster nikon = thumbOf("b-nikon.jpg");
    for (const auto& [x, y] : {std::pair{0, 0}, {80, 60}, {159, 119}, {13, 101}}) {
        const Rgb want = pixelAt(embedded, x, y);
        const Rgb got = pixelAt(nikon, x, y);
        EXPECT_TRUE(near(want.r, got.r) && near(want.g, got.g) && near(want.b, got.b)) << x << "," << y;
    }
    // 68 x 46 (ratio 1.478): 160 x 108 with 6 black rows above and below.
    const CRaster canon = thumbOf("a-canon.jpg");
    EXPECT_TRUE(isBlack(pixelAt(canon, 80, 5)));
    EXPECT_TRUE(isBlack(pixelAt(canon, 80, 114)));
    EXPECT_FALSE(isBlack(pixelAt(canon, 80, 6)) && isBlack(pixelAt(canon, 80, 113)));
    // 59 x 100 portrait: 70 x 120 with 45 black columns on the left.
    const CRaster fuji = thumbOf("c-fuji.jpg");
    for (int y : {0, 60, 119}) {
        EXPECT_TRUE(isBlack(pixelAt(fuji, 44, y)));
        EXPECT_TRUE(isBlack(pixelAt(fuji, 115, y)));
    }
    EXPECT_FALSE(isBlack(pixelAt(fuji, 80, 60)));
}

TEST_F(BuiltFilmTest, DateFromTheFileIsMarked) {
    record("b-nikon.jpg").block->dateFromFile = true;
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    EXPECT_EQ(list.itemLabels()[2], "3.b-nikon.**[2008-10-22]*[16 28 39]**\nNIKON/COOLPIX P6000");
}

TEST_F(BuiltFilmTest, NegativeStartInvertsEveryFreePictureAndCountsNone) {
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    ASSERT_EQ(finish(), FilmWork::Idle);
    const CRaster positive = thumbOf("b-nikon.jpg");
    filmBuilt = false;
    editing.newAlbumStartsNegative = 1;
    Album& album = albums.back();
    album.setStart(pictureShotKey(reader.catalogue().front(), ws.biasMinutes));
    album.setEnd(pictureShotKey(reader.catalogue().back(), ws.biasMinutes));
    ASSERT_EQ(build(), FilmOutcome::Done);
    ASSERT_EQ(finish(), FilmWork::Idle);
    EXPECT_EQ(topLine.text, "Building negative film. Adding picture: 3, left 0.");
    const CRaster negative = thumbOf("b-nikon.jpg");
    const Rgb p = pixelAt(positive, 80, 60);
    const Rgb n = pixelAt(negative, 80, 60);
    EXPECT_TRUE(near(p.r + n.r, 255) && near(p.g + n.g, 255) && near(p.b + n.b, 255));
    ASSERT_EQ(editing.film.size(), 3u);
    for (const PictureRecord& picture : editing.film) {
        EXPECT_EQ(picture.isNegative, 1) << picture.path;
    }
    EXPECT_EQ(album.pictureCount, 0);
    EXPECT_EQ(editing.outsideCount, 3);
}

TEST_F(BuiltFilmTest, AbortStopsTheThumbnailsAndALaterBuildReusesThem) {
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    abortRequest = true;
    EXPECT_EQ(film.work(true), FilmWork::Idle);
    EXPECT_EQ(images.missing(), 3);
    EXPECT_EQ(list.itemLabels().size(), 3u);
    abortRequest = false;
    ASSERT_EQ(finish(), FilmWork::Idle);
    EXPECT_TRUE(images.complete());
    const std::uint32_t made = images.version(0);
    ASSERT_EQ(build(), FilmOutcome::Done);
    EXPECT_EQ(film.work(), FilmWork::Idle) << "nothing is made twice";
    EXPECT_EQ(images.version(0), made);
    EXPECT_EQ(list.itemLabels().size(), 3u);
}

TEST_F(BuiltFilmTest, SortByNameDescendingNumbersFromOne) {
    view.sortByDate = 0;
    view.sortAscending = 0;
    newAlbum();
    ASSERT_EQ(build(), FilmOutcome::Done);
    ASSERT_EQ(list.itemLabels().size(), 3u);
    EXPECT_EQ(list.itemLabels()[0].substr(0, 9), "1.c-fuji.");
    EXPECT_EQ(list.itemLabels()[1].substr(0, 10), "2.b-nikon.");
    EXPECT_EQ(list.itemLabels()[2].substr(0, 10), "3.a-canon.");
}

// A picture whose source does not decode: a tiny EXIF head without picture data.
class BrokenFilmTest : public BuiltFilmTest {
protected:
    void SetUp() override {
        put("b-nikon.jpg", kNikon);
        putBytes("a-broken.jpg", tinyExifJpeg("2001:01:01 10:00:00"));
        scan();
        newAlbum();
    }
};

TEST_F(BrokenFilmTest, DiskErrorOkTakesThePlaceholder) {
    host.answer(Answer::Ok);
    ASSERT_EQ(build(), FilmOutcome::Done);
    EXPECT_TRUE(host.messages.empty()) << "the question comes with the picture's thumbnail";
    ASSERT_EQ(finish(), FilmWork::Idle);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error while reading from disk");
    EXPECT_EQ(host.messages[0].caption, "Disk error");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);
    EXPECT_TRUE(filmBuilt);
    EXPECT_EQ(images.size(), 2);
    const CRaster placeholder = placeholderThumbnail(false);
    const CRaster shown = thumbOf("a-broken.jpg");
    const Rgb want = pixelAt(placeholder, 2, 60);
    const Rgb got = pixelAt(shown, 2, 60);
    EXPECT_TRUE(near(want.r, got.r) && near(want.g, got.g) && near(want.b, got.b));
}

TEST_F(BrokenFilmTest, DiskErrorCancelEndsTheBuild) {
    host.answer(Answer::Cancel);
    ASSERT_EQ(build(), FilmOutcome::Done);
    EXPECT_EQ(finish(), FilmWork::Closed);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(ThumbnailMakerTest, BigPictureDecodesAtAReducedScale) {
    PictureRecord picture;
    picture.path = std::string(DZ_TEST_DATA) + "/reconyx-2048x1536-no-thumbnail.jpg";
    picture.block = std::make_shared<PictureBlock>();
    CRaster source;
    ASSERT_TRUE(loadThumbnailSource(picture, source));
    // 1/4 is the smallest scale leaving twice 160 x 120.
    EXPECT_EQ(source.width(), 512);
    EXPECT_EQ(source.height(), 384);
    const FilmThumbnail made = makeFilmThumbnail(picture, false, ThumbnailShape::KeepProportions);
    EXPECT_EQ(made.status, FilmThumbnail::Status::Made);
    EXPECT_TRUE(made.resampled);
    EXPECT_EQ(made.image.width(), 160);
    EXPECT_EQ(made.image.height(), 120);
}

}  // namespace
}  // namespace dz::test
