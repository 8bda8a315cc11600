#include "image/Placeholder.h"

#include <algorithm>
#include <cstdlib>

namespace dz {

namespace {

constexpr std::uint8_t kField = 0xC8;
constexpr std::uint8_t kInk = 0x50;

void setPixel(CRaster& image, int x, int y, std::uint8_t level) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return;
    }
    std::uint8_t* p = image.topDownRow(y) + static_cast<std::size_t>(x) * static_cast<std::size_t>(image.bytesPerPixel());
    for (int c = 0; c < image.bytesPerPixel(); ++c) {
        p[c] = level;
    }
}

void drawRectangle(CRaster& image, int left, int top, int right, int bottom, int thickness) {
    for (int t = 0; t < thickness; ++t) {
        for (int x = left; x < right; ++x) {
            setPixel(image, x, top + t, kInk);
            setPixel(image, x, bottom - 1 - t, kInk);
        }
        for (int y = top; y < bottom; ++y) {
            setPixel(image, left + t, y, kInk);
            setPixel(image, right - 1 - t, y, kInk);
        }
    }
}

// A line between two corners of the box, one pixel per step of the longer side.
void drawLine(CRaster& image, int x0, int y0, int x1, int y1) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const int x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
        const int y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
        setPixel(image, x, y, kInk);
        setPixel(image, x + 1, y, kInk);
    }
}

}  // namespace

void drawPlaceholder(CRaster& image) {
    if (!image.isValid()) {
        return;
    }
    image.fill(kField);
    const int w = image.width();
    const int h = image.height();
    drawRectangle(image, 0, 0, w, h, 2);
    // The box takes the middle half of the picture.
    const int left = w / 4;
    const int top = h / 4;
    const int right = w - w / 4;
    const int bottom = h - h / 4;
    if (right - left < 4 || bottom - top < 4) {
        return;
    }
    drawRectangle(image, left, top, right, bottom, 1);
    drawLine(image, left, top, right - 1, bottom - 1);
    drawLine(image, left, bottom - 1, right - 1, top);
}

}  // namespace dz
