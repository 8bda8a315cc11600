#include "duplicates/PictureLook.h"

#include "formats/PictureDecode.h"

#include <cmath>
#include <cstdlib>

namespace dz {

PictureLook lookOfImage(const CRaster& image, int width, int height) {
    PictureLook look;
    if (!image.isValid()) {
        return look;
    }
    // Small pictures are first blown up by nearest pixels so that every
    // cell of the grey copy covers at least one of them.
    CRaster source = image;
    if (source.width() < PictureLook::kSide || source.height() < PictureLook::kSide) {
        if (!source.resample(PictureLook::kSide, PictureLook::kSide)) {
            return look;
        }
    }
    const CRaster small = source.shrink(PictureLook::kSide, PictureLook::kSide);
    if (!small.isValid()) {
        return look;
    }
    const int bytes = small.bytesPerPixel();
    for (int y = 0; y < PictureLook::kSide; ++y) {
        const std::uint8_t* row = small.topDownRow(y);
        for (int x = 0; x < PictureLook::kSide; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes;
            look.grey[static_cast<std::size_t>(y * PictureLook::kSide + x)] =
                bytes >= 3 ? greyLevel(p[0], p[1], p[2]) : p[0];
        }
    }
    look.width = width > 0 ? width : image.width();
    look.height = height > 0 ? height : image.height();
    look.valid = true;
    return look;
}

PictureLook lookOfFile(const std::string& path, int width, int height) {
    DecodeOptions options;
    options.wantedWidth = PictureLook::kSide * 2;
    options.wantedHeight = PictureLook::kSide * 2;
    CRaster image;
    if (!decodePictureFile(path, options, image)) {
        return {};
    }
    return lookOfImage(image, width, height);
}

double lookDifference(const PictureLook& a, const PictureLook& b) {
    long total = 0;
    for (std::size_t i = 0; i < a.grey.size(); ++i) {
        total += std::abs(int{a.grey[i]} - int{b.grey[i]});
    }
    return static_cast<double>(total) / static_cast<double>(a.grey.size());
}

bool sameProportions(const PictureLook& a, const PictureLook& b, double slack) {
    if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) {
        return false;
    }
    const double ratioA = static_cast<double>(a.width) / a.height;
    const double ratioB = static_cast<double>(b.width) / b.height;
    return std::fabs(ratioA - ratioB) <= slack * std::max(ratioA, ratioB);
}

}  // namespace dz
