#include "image/Thumbnail.h"

#include "image/ThumbnailFit.h"

namespace dz {

CRaster makeThumbnail(const CRaster& source, int boxWidth, int boxHeight) {
    if (!source.isValid()) {
        return CRaster();
    }
    const ThumbnailFit fit = fitThumbnail(source.width(), source.height(), boxWidth, boxHeight);
    CRaster picture = source;
    switch (fit.kind) {
    case ThumbnailFit::Kind::Unchanged:
        return picture;
    case ThumbnailFit::Kind::Stretch:
        if (!picture.resample(boxWidth, boxHeight)) {
            picture.clear();
        }
        return picture;
    case ThumbnailFit::Kind::Centred:
        break;
    }
    CRaster box;
    if (!picture.resample(fit.width, fit.height)) {
        picture.clear();
        return picture;
    }
    if (!box.createBlank(boxWidth, boxHeight, 24)) {
        return box;
    }
    box.paste(picture, fit.x, fit.y);
    return box;
}

}  // namespace dz
