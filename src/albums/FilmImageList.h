#pragma once

#include "image/CRaster.h"
#include "platform/Window.h"

#include <cstdint>
#include <vector>

namespace dz {

// The thumbnails of every catalogue picture, 160 x 120 each, kept in 16-bit
// colour (RGB565, top-down rows) so a large catalogue stays small in memory.
class FilmImageList final : public ImageStrip {
public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;
    static constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;

    // A thumbnail of another size is brought to 160 x 120 first.
    void append(const CRaster& thumbnail);
    // False when there is no thumbnail at `index`.
    bool replace(int index, const CRaster& thumbnail);
    // Forgets every thumbnail (a new scan, a new full build).
    void release() { images_.clear(); }

    int size() const { return static_cast<int>(images_.size()); }
    bool empty() const { return images_.empty(); }
    const std::vector<std::uint16_t>& pixels565(int index) const { return images_.at(index); }
    // The thumbnail as a 24-bit image; invalid for an index outside the list.
    CRaster image(int index) const;

    int imageCount() const override { return size(); }
    int imageWidth() const override { return kWidth; }
    int imageHeight() const override { return kHeight; }
    std::vector<std::uint8_t> imageRgb888(int index) const override;

private:
    static std::vector<std::uint16_t> pack(const CRaster& thumbnail);

    std::vector<std::vector<std::uint16_t>> images_;
};

}  // namespace dz
