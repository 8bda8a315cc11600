#include "albums/FilmImageList.h"

namespace dz {

namespace {

std::uint16_t to565(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

// Widens each channel back to 8 bits, repeating the high bits so white stays 255.
void from565(std::uint16_t v, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
    const unsigned r = (v >> 11) & 0x1f;
    const unsigned g = (v >> 5) & 0x3f;
    const unsigned b = v & 0x1f;
    red = static_cast<std::uint8_t>((r << 3) | (r >> 2));
    green = static_cast<std::uint8_t>((g << 2) | (g >> 4));
    blue = static_cast<std::uint8_t>((b << 3) | (b >> 2));
}

}  // namespace

std::vector<std::uint16_t> FilmImageList::pack(const CRaster& thumbnail) {
    CRaster sized = thumbnail;
    if (sized.isValid() && (sized.width() != kWidth || sized.height() != kHeight)) {
        sized.resample(kWidth, kHeight);
    }
    std::vector<std::uint16_t> packed(kPixels, 0);
    if (!sized.isValid() || sized.width() != kWidth || sized.height() != kHeight) {
        return packed;
    }
    const int bytes = sized.bytesPerPixel();
    for (int y = 0; y < kHeight; ++y) {
        const std::uint8_t* row = sized.topDownRow(y);
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes;
            const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
            packed[at] = bytes >= 3 ? to565(p[2], p[1], p[0]) : to565(p[0], p[0], p[0]);
        }
    }
    return packed;
}

void FilmImageList::append(const CRaster& thumbnail) {
    images_.push_back(pack(thumbnail));
}

bool FilmImageList::replace(int index, const CRaster& thumbnail) {
    if (index < 0 || index >= size()) {
        return false;
    }
    images_[index] = pack(thumbnail);
    return true;
}

CRaster FilmImageList::image(int index) const {
    CRaster out;
    if (index < 0 || index >= size() || !out.createBlank(kWidth, kHeight, 24)) {
        return CRaster{};
    }
    const auto& packed = images_[index];
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = out.topDownRow(y);
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
            from565(packed[static_cast<std::size_t>(y) * kWidth + x], p[2], p[1], p[0]);
        }
    }
    return out;
}

std::vector<std::uint8_t> FilmImageList::imageRgb888(int index) const {
    if (index < 0 || index >= size()) {
        return {};
    }
    std::vector<std::uint8_t> rgb(kPixels * 3);
    const auto& packed = images_[index];
    for (std::size_t i = 0; i < kPixels; ++i) {
        from565(packed[i], rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
    }
    return rgb;
}

}  // namespace dz
