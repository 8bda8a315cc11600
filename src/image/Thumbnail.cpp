#include "image/Thumbnail.h"

#include "image/ThumbnailFit.h"

namespace dz {

CRaster makeThumbnail(const CRaster& source, int boxWidth, int boxHeight) {
    if (!source.isValid()) {
        return CRaster();
    }
    const ThumbnailFit fit = fitThumbnail(source.width(), source.height(), boxWidth, boxHeight);
    switch (fit.kind) {
    case ThumbnailFit::Kind::Unchanged:
        return source;
    case ThumbnailFit::Kind::Stretch:
        return source.resampled(boxWidth, boxHeight);
    case ThumbnailFit::Kind::Centred:
        break;
    }
    // Resampled straight from the source: no full-size working copy.
    const CRaster picture = source.resampled(fit.width, fit.height);
    if (!picture.isValid()) {
        return picture;
    }
    CRaster box;
    if (box.createBlank(boxWidth, boxHeight, 24)) {
        box.paste(picture, fit.x, fit.y);
    }
    return box;
}

}  // namespace dz
