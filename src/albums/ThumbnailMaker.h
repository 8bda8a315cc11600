#pragma once

#include "albums/ThumbnailCache.h"
#include "catalogue/PictureRecord.h"
#include "image/CRaster.h"

#include <cstdint>
#include <vector>

namespace dz {

// How a thumbnail is brought to 160 x 120: the film build keeps the
// picture's proportions on black bars, a flip stretches it to the box.
enum class ThumbnailShape { KeepProportions, Stretch };

struct FilmThumbnail {
    enum class Status { Made, Unreadable, ResampleFailed };
    Status status = Status::Made;
    CRaster image;           // 160 x 120 when made
    bool resampled = false;  // the source did not have the box size
    // The image packed for the film image list where a worker did it (the
    // image is then left empty), so the window's thread only takes it in.
    std::vector<std::uint16_t> packed;
};

// The picture's embedded EXIF thumbnail when it has one, else its entry in
// `cache` when that is current, else the picture file, decoded at the
// smallest JPEG scale that still serves 160 x 120. What was made is kept in
// `cache` (the embedded thumbnail too, so other programs find it there).
// Safe on any thread: it only reads the picture's file and EXIF block.
bool loadThumbnailSource(const PictureRecord& picture, CRaster& source, const ThumbnailCache& cache = {});

// Whether the picture's thumbnail is current in `cache`, so that it need not
// be made before it is shown.
bool thumbnailCached(const PictureRecord& picture, const ThumbnailCache& cache);

// The film thumbnail of one picture; inverted when `negative`.
FilmThumbnail makeFilmThumbnail(const PictureRecord& picture, bool negative, ThumbnailShape shape,
                                const ThumbnailCache& cache = {});

// The 160 x 120 thumbnail shown for a picture whose source does not load.
CRaster placeholderThumbnail(bool negative);

}  // namespace dz
