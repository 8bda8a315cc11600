#include "formats/VideoPlaceholder.h"

#include "formats/MadeThumbnail.h"
#include "image/CRaster.h"
#include "image/JpegWriter.h"

#include <cstdlib>

namespace dz {

namespace {

constexpr std::uint8_t kFilm = 0x30;
constexpr std::uint8_t kLight = 0xE0;

void fillBox(CRaster& image, int left, int top, int right, int bottom, std::uint8_t level) {
    for (int y = top; y < bottom && y < image.height(); ++y) {
        std::uint8_t* row = image.topDownRow(y);
        for (int x = left; x < right && x < image.width(); ++x) {
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = level;
        }
    }
}

}  // namespace

std::vector<std::uint8_t> videoPlaceholderJpeg() {
    constexpr int kW = kMadeThumbnailWidth;
    constexpr int kH = kMadeThumbnailHeight;
    CRaster image;
    if (!image.createBlank(kW, kH, 24)) {
        return {};
    }
    image.fill(kFilm);
    // Sprocket holes along both edges.
    for (int x = 6; x + 8 <= kW; x += 16) {
        fillBox(image, x, 5, x + 8, 13, kLight);
        fillBox(image, x, kH - 13, x + 8, kH - 5, kLight);
    }
    // A play mark: a triangle pointing right, 40 pixels high.
    const int centreY = kH / 2;
    for (int y = centreY - 20; y <= centreY + 20; ++y) {
        const int reach = (20 - std::abs(y - centreY)) * 34 / 20;
        fillBox(image, 66, y, 66 + reach, y + 1, kLight);
    }
    return encodeJpeg(image, kMadeThumbnailQuality);
}

}  // namespace dz
