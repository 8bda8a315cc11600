#include "duplicates/PictureLook.h"

#include "duplicates/LookHash.h"
#include "formats/PictureDecode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace dz {

namespace {

constexpr int kSide = PictureLook::kSide;

// For each of the kSide cells along a side of `length` pixels, the share of
// each pixel that falls in it: cell c covers [c * length / kSide,
// (c + 1) * length / kSide), so a pixel on a cell's edge counts in both by
// the part it has in each.
struct CellShare {
    int pixel;
    int cell;
    double share;
};

std::vector<CellShare> cellShares(int length) {
    std::vector<CellShare> shares;
    const double width = static_cast<double>(length) / kSide;
    for (int cell = 0; cell < kSide; ++cell) {
        const double begin = cell * width;
        const double end = begin + width;
        for (int pixel = static_cast<int>(begin); pixel < length && pixel < end; ++pixel) {
            const double share = std::min(end, pixel + 1.0) - std::max(begin, static_cast<double>(pixel));
            if (share > 0.0) {
                shares.push_back({pixel, cell, share / width});
            }
        }
    }
    return shares;
}

}  // namespace

// Each cell of the grey copy is the mean of the part of the picture it
// covers, partly covered pixels weighted by the part they have in it, so a
// picture and its resize give the same cells whatever size each decodes at.
PictureLook lookOfImage(const CRaster& image, int width, int height) {
    PictureLook look;
    if (!image.isValid()) {
        return look;
    }
    const int bytes = image.bytesPerPixel();
    const std::vector<CellShare> across = cellShares(image.width());
    const std::vector<CellShare> down = cellShares(image.height());
    std::vector<double> rows(static_cast<std::size_t>(image.height()) * kSide, 0.0);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.topDownRow(y);
        double* cells = rows.data() + static_cast<std::size_t>(y) * kSide;
        for (const CellShare& s : across) {
            const std::uint8_t* p = row + static_cast<std::size_t>(s.pixel) * bytes;
            cells[s.cell] += s.share * (bytes >= 3 ? greyLevel(p[0], p[1], p[2]) : p[0]);
        }
    }
    std::array<double, kSide * kSide> grey{};
    for (const CellShare& s : down) {
        const double* cells = rows.data() + static_cast<std::size_t>(s.pixel) * kSide;
        for (int x = 0; x < kSide; ++x) {
            grey[static_cast<std::size_t>(s.cell * kSide + x)] += s.share * cells[x];
        }
    }
    for (std::size_t i = 0; i < grey.size(); ++i) {
        look.grey[i] = static_cast<std::uint8_t>(std::clamp(std::lround(grey[i]), 0L, 255L));
    }
    look.width = width > 0 ? width : image.width();
    look.height = height > 0 ? height : image.height();
    look.hash = lookHash(look);
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

double meanGrey(const PictureLook& look) {
    long total = 0;
    for (const std::uint8_t g : look.grey) {
        total += g;
    }
    return static_cast<double>(total) / static_cast<double>(look.grey.size());
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

namespace dz {

double lookDistance(const PictureLook& a, const PictureLook& b) {
    return lookDifference(a, b) / 255.0;
}

bool looksAlike(const PictureLook& a, const PictureLook& b, double threshold) {
    if (!a.valid || !b.valid || !sameProportions(a, b, kProportionSlack)) {
        return false;
    }
    const double brightA = meanGrey(a);
    const double brightB = meanGrey(b);
    if (std::fabs(brightA - brightB) > kBrightnessSlack * std::max(brightA, brightB)) {
        return false;
    }
    return lookDistance(a, b) <= threshold;
}

}  // namespace dz
