#include "formats/MadeThumbnail.h"

#include "image/JpegWriter.h"

#include <algorithm>

namespace dz {

bool keepMadeThumbnail(const CRaster& picture, ExifInfo& info) {
    if (!picture.isValid()) {
        return false;
    }
    const double scale = std::min({1.0, double{kMadeThumbnailWidth} / picture.width(),
                                   double{kMadeThumbnailHeight} / picture.height()});
    const int width = std::max(1, static_cast<int>(picture.width() * scale));
    const int height = std::max(1, static_cast<int>(picture.height() * scale));
    CRaster small = scale < 1.0 ? picture.shrink(width, height) : picture;
    if (small.isValid() && small.bitsPerPixel() != 24) {
        // The writer takes colour pictures; a grey one is pasted onto one.
        CRaster colour;
        if (colour.createBlank(small.width(), small.height(), 24)) {
            colour.paste(small, 0, 0);
        }
        small = std::move(colour);
    }
    if (!small.isValid()) {
        return false;
    }
    std::vector<std::uint8_t> bytes = encodeJpeg(small, kMadeThumbnailQuality);
    if (bytes.empty()) {
        return false;
    }
    info.thumbnail = std::move(bytes);
    info.thumbnailSize = static_cast<std::uint32_t>(info.thumbnail.size());
    return true;
}

}  // namespace dz
