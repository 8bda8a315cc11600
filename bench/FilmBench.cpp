// The film of 3,000 real-camera pictures: milliseconds per thumbnail from the
// embedded EXIF thumbnail and from the picture file, beside a plain full-size
// decode followed by the same resample; the memory of the thumbnail list; and
// a rebuild after a range change against the first build.

#include "PhotoTree.h"
#include "CliHost.h"

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/ThumbnailMaker.h"
#include "albums/VirtualFilm.h"
#include "image/CRaster.h"
#include "image/Thumbnail.h"
#include "platform/TimeZone.h"

#include <chrono>
#include <iostream>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Timing {
    double ms = 0;
    int count = 0;
    double perItem() const { return count ? ms / count : 0; }
};

// The program's own thumbnail path, for one group of pictures.
Timing programPath(const std::vector<const dz::PictureRecord*>& pictures) {
    Timing t;
    const auto start = Clock::now();
    for (const dz::PictureRecord* p : pictures) {
        dz::FilmThumbnail made = dz::makeFilmThumbnail(*p, false, dz::ThumbnailShape::KeepProportions);
        t.count += made.status == dz::FilmThumbnail::Status::Made ? 1 : 0;
    }
    t.ms = millis(Clock::now() - start);
    return t;
}

// The program's path from the file, used when there is no embedded thumbnail:
// a scaled decode, then the fit.
Timing scaledFilePath(const std::vector<const dz::PictureRecord*>& pictures) {
    Timing t;
    const auto start = Clock::now();
    for (const dz::PictureRecord* p : pictures) {
        dz::CRaster scaled;
        if (scaled.decodeFile(p->path, dz::ImageFormat::Detect, 160, 120)) {
            dz::CRaster thumb = dz::makeThumbnail(scaled, 160, 120);
            t.count += thumb.isValid() ? 1 : 0;
        }
    }
    t.ms = millis(Clock::now() - start);
    return t;
}

// The plain path: the whole picture decoded at full size, then the same fit.
Timing plainPath(const std::vector<const dz::PictureRecord*>& pictures) {
    Timing t;
    const auto start = Clock::now();
    for (const dz::PictureRecord* p : pictures) {
        dz::CRaster full;
        if (full.decodeFile(p->path, dz::ImageFormat::Detect)) {
            dz::CRaster thumb = dz::makeThumbnail(full, 160, 120);
            t.count += thumb.isValid() ? 1 : 0;
        }
    }
    t.ms = millis(Clock::now() - start);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path photosFolder = argc > 1 ? fs::path(argv[1]) : fs::path(DZ_DEFAULT_PHOTOS);
    const auto photos = dz::bench::findPhotos(photosFolder);
    const fs::path root = dz::bench::makeTempFolder("dezoredu-film-bench");
    if (photos.empty() || root.empty()) {
        std::fprintf(stderr, "film_bench: no photos in %s or no temporary folder\n", photosFolder.c_str());
        return 2;
    }
    // About half the sample files carry an EXIF date: 200 a folder gives
    // more than 3,000 catalogued pictures.
    const auto files = dz::bench::buildTree(root, photos, 200);

    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    const int bias = dz::currentTimeZone().totalBiasMinutes();
    reader.setBiasMinutes(bias);
    reader.listFolders(root.string(), true);
    reader.collectPictures("*.jpg", true, false);
    std::printf("tree: %zu files, %zu catalogued\n", files.size(), reader.catalogue().size());

    // Groups: embedded thumbnail; no thumbnail; and pictures of at least
    // four times the thumbnail's area, made from their files.
    std::vector<const dz::PictureRecord*> embedded, fromFile, large;
    for (const auto& p : reader.catalogue()) {
        (p.exif().thumbnail.empty() ? fromFile : embedded).push_back(&p);
        if (static_cast<long>(p.exif().width) * p.exif().height >= 4L * 160 * 120) {
            large.push_back(&p);
        }
    }
    programPath(fromFile);  // warm the page cache
    const Timing fromThumbnail = programPath(embedded);
    const Timing fromFileTiming = programPath(fromFile);
    const Timing plainFile = plainPath(fromFile);
    const Timing largeProgram = scaledFilePath(large);
    const Timing largePlain = plainPath(large);
    std::printf("embedded EXIF thumbnail: %.3f ms per thumbnail (%d pictures)\n", fromThumbnail.perItem(),
                fromThumbnail.count);
    std::printf("from the file:           %.3f ms per thumbnail, plain full decode + resample %.3f ms (%d pictures)\n",
                fromFileTiming.perItem(), plainFile.perItem(), fromFileTiming.count);
    std::printf("large pictures (>= 4x the thumbnail's area) from their files: %.3f ms against plain %.3f ms, %.2fx faster (%d pictures)\n",
                largeProgram.perItem(), largePlain.perItem(),
                largeProgram.perItem() > 0 ? largePlain.perItem() / largeProgram.perItem() : 0.0, largeProgram.count);

    // The film itself: first build makes every thumbnail, a rebuild after a
    // range change only inserts items.
    dz::AlbumList albums;
    dz::AlbumEditing editing;
    dz::ViewSettings view;
    dz::FilmImageList images;
    bool filmBuilt = false;
    const std::int32_t dateFormat = 1, timeFormat = 1, excludeDuplicates = 0;
    dz::AlbumWorkspace ws{host,      reader,     albums,     editing,           view, images, filmBuilt,
                          abortRequest, dateFormat, timeFormat, excludeDuplicates, bias, ""};
    dz::createAlbum(albums, editing, reader, host);
    dz::Control topLine;
    dz::Control list;
    dz::VirtualFilm film(ws, topLine, list, [] {});
    auto start = Clock::now();
    film.build();
    while (film.work(true) == dz::FilmWork::Working) {
    }
    const double first = millis(Clock::now() - start);
    const std::size_t firstItems = list.items.size();
    albums.back().setStart(dz::pictureShotKey(reader.catalogue().front(), bias));
    albums.back().setEnd(dz::pictureShotKey(reader.catalogue()[reader.catalogue().size() / 2], bias));
    start = Clock::now();
    film.build();
    const double rebuild = millis(Clock::now() - start);
    std::printf("film build: first %.1f ms (%zu items, %d thumbnails), rebuild after a range change %.1f ms "
                "(%zu items): %.1f%% of the first\n",
                first, firstItems, images.size(), rebuild, list.items.size(), 100.0 * rebuild / first);
    std::printf("thumbnail list: %zu bytes per picture kept (160 x 120, 16-bit colour), %d kept of %d\n",
                static_cast<std::size_t>(dz::FilmImageList::kPixels * sizeof(std::uint16_t)), images.keptPixels(),
                images.size());
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
