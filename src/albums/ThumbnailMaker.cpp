#include "albums/ThumbnailMaker.h"

#include "albums/FilmImageList.h"
#include "formats/PictureDecode.h"
#include "image/Thumbnail.h"
#include "image/ThumbnailFit.h"

#include <algorithm>

namespace dz {

namespace {

DecodeOptions thumbnailDecode() {
    DecodeOptions options;
    options.wantedWidth = FilmImageList::kWidth;
    options.wantedHeight = FilmImageList::kHeight;
    return options;
}

}  // namespace

bool thumbnailCached(const PictureRecord& picture, const ThumbnailCache& cache) {
    std::int64_t mtime = 0;
    return cache.enabled() && fileModificationTime(picture.path, mtime) && cache.has(picture.path, mtime);
}

bool loadThumbnailSource(const PictureRecord& picture, CRaster& source, const ThumbnailCache& cache) {
    std::int64_t mtime = 0;
    const bool dated = cache.enabled() && fileModificationTime(picture.path, mtime);
    if (picture.block) {
        const ExifInfo& exif = picture.exif();
        const std::size_t size = std::min<std::size_t>(exif.thumbnailSize, exif.thumbnail.size());
        if (size > 0 && source.decodeMemory(exif.thumbnail.data(), size, ImageFormat::Detect, thumbnailDecode())) {
            if (dated && !cache.has(picture.path, mtime)) {
                cache.write(picture.path, mtime, source);
            }
            return true;
        }
    }
    if (dated && cache.read(picture.path, mtime, source)) {
        return true;
    }
    if (!decodePictureFile(picture.path, thumbnailDecode(), source)) {
        // Not kept in the cache: the frame may decode once the video module is there.
        return decodeKindPlaceholder(picture.path, source);
    }
    if (dated) {
        cache.write(picture.path, mtime, source);
    }
    return true;
}

FilmThumbnail makeFilmThumbnail(const PictureRecord& picture, bool negative, ThumbnailShape shape,
                                const ThumbnailCache& cache) {
    FilmThumbnail result;
    CRaster source;
    if (!loadThumbnailSource(picture, source, cache)) {
        result.status = FilmThumbnail::Status::Unreadable;
        return result;
    }
    constexpr int kW = FilmImageList::kWidth;
    constexpr int kH = FilmImageList::kHeight;
    result.resampled = source.width() != kW || source.height() != kH;
    if (shape == ThumbnailShape::Stretch) {
        if (result.resampled && !source.resample(kW, kH)) {
            result.status = FilmThumbnail::Status::ResampleFailed;
            return result;
        }
        result.image = std::move(source);
    } else {
        result.resampled = fitThumbnail(source.width(), source.height(), kW, kH).kind !=
                           ThumbnailFit::Kind::Unchanged;
        result.image = makeThumbnail(source, kW, kH);
        if (!result.image.isValid()) {
            result.status = FilmThumbnail::Status::ResampleFailed;
            return result;
        }
    }
    if (negative) {
        result.image.negative();
    }
    return result;
}

CRaster placeholderThumbnail(bool negative) {
    CRaster image = CRaster::placeholder(FilmImageList::kWidth, FilmImageList::kHeight);
    if (negative) {
        image.negative();
    }
    return image;
}

}  // namespace dz
