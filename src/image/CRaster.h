#pragma once

#include "image/DecodeOptions.h"
#include "image/ImageFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// A rectangle of the picture, in pixels from the top-left corner, right and
// bottom exclusive. An empty one (the default) means "no selection".
struct RasterSelection {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const RasterSelection&) const = default;
};

// The program's image object: a picture in memory, decoded from a file or
// from bytes, made blank, or drawn as the placeholder.
//
// Pixel layout, as a device-independent bitmap:
// - rows are stored bottom-up: pixelRow(0) / pixels() is the bottom row of
//   the picture, pixelRow(height() - 1) the top one;
// - each row takes stride() bytes, the pixel bytes padded with zeros to a
//   multiple of 4;
// - 24 bits per pixel: blue, green, red per pixel;
// - 8 bits per pixel: one grey level per pixel (0 black .. 255 white); a
//   64-pixel-wide grey picture has exactly 64 bytes per row.
// An optional alpha plane (one byte per pixel, width() bytes per row, the
// same bottom-up order, 255 opaque) comes from PNG and TIFF pictures that
// carry one. Coordinates taken by paste() and the selection count from the
// top-left corner, as a viewer sees the picture.
//
// A copy is independent: pixels, alpha plane and selection are copied. No
// operation throws; a failed operation returns false (or an invalid image)
// and leaves its reason in lastError().
class CRaster {
public:
    static constexpr int kMaxDimension = 65535;

    CRaster() = default;

    // Decoding: `format` Detect reads the format from the first bytes; any
    // other format decodes with that codec only. On failure the image becomes
    // invalid. The bytes are only read.
    bool decodeFile(const std::string& path, ImageFormat format, const DecodeOptions& options = {});
    bool decodeFile(const std::string& path, ImageFormat format, int wantedWidth, int wantedHeight);
    bool decodeMemory(const std::uint8_t* data, std::size_t size, ImageFormat format,
                      const DecodeOptions& options = {});

    // A picture of that size with every byte 0 (black); 24 or 8 bits per
    // pixel. Refused when a side is outside 1 .. kMaxDimension or the pixel
    // bytes would pass `memoryLimit`.
    bool createBlank(int width, int height, int bitsPerPixel,
                     std::size_t memoryLimit = DecodeOptions::kDefaultMemoryLimit);

    // The picture shown for a picture that cannot be read: a grey frame with
    // a crossed-out box, drawn at any size of at least 1 x 1.
    static CRaster placeholder(int width = 160, int height = 120);

    // Bytes of one stored row: the pixel bytes padded to a multiple of 4.
    static std::size_t rowStride(int width, int bitsPerPixel);
    // Whether a width x height picture fits `memoryLimit` and kMaxDimension.
    static bool fitsLimit(int width, int height, int bitsPerPixel, std::size_t memoryLimit);

    bool isValid() const { return width_ > 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int bytesPerPixel() const { return bitsPerPixel_ / 8; }
    std::size_t stride() const { return stride_; }
    // The format the last successful decode read; Unknown for made images.
    ImageFormat sourceFormat() const { return sourceFormat_; }
    const std::string& lastError() const { return lastError_; }

    // Rows as stored (see the layout above); null when the image is invalid
    // or the row is outside it.
    const std::uint8_t* pixels() const { return isValid() ? pixels_.data() : nullptr; }
    std::uint8_t* pixels() { return isValid() ? pixels_.data() : nullptr; }
    std::size_t pixelBytes() const { return pixels_.size(); }
    const std::uint8_t* pixelRow(int row) const;
    std::uint8_t* pixelRow(int row);
    // Row `y` counted from the top, as decoders deliver them.
    std::uint8_t* topDownRow(int y) { return pixelRow(height_ - 1 - y); }
    const std::uint8_t* topDownRow(int y) const { return pixelRow(height_ - 1 - y); }

    bool hasAlpha() const { return !alpha_.empty(); }
    // Alpha row as stored (bottom-up), width() bytes; null without alpha.
    const std::uint8_t* alphaRow(int row) const;
    // Takes a plane of width() x height() bytes, bottom-up; false when the
    // size does not match.
    bool setAlpha(std::vector<std::uint8_t> plane);

    const RasterSelection& selection() const { return selection_; }
    void setSelection(const RasterSelection& selection) { selection_ = selection; }

    // Every pixel byte set to `value`.
    void fill(std::uint8_t value);
    // Nearest-pixel resize in place to exactly newWidth x newHeight (aspect
    // not kept). False, image unchanged, for sizes outside 1 .. kMaxDimension,
    // beyond the memory limit, or on an invalid image.
    bool resample(int newWidth, int newHeight);
    // The same resize into a new image, leaving this one as it is; invalid
    // (with lastError) on failure.
    CRaster resampled(int newWidth, int newHeight) const;
    // A copy reduced to newWidth x newHeight, each pixel the mean of the
    // source pixels it covers; invalid (with lastError) when the size is not
    // within 1 .. the current size.
    CRaster shrink(int newWidth, int newHeight) const;
    // Every colour byte v becomes 255 - v; alpha is kept.
    void negative();
    // Copies `small` with its top-left corner at (x, y) from this image's
    // top-left corner; the parts outside this image are left out. Grey and
    // colour pictures convert as they are copied.
    void paste(const CRaster& small, int x, int y);

    // The picture as a 24-bit bottom-up BMP file; empty when invalid.
    std::vector<std::uint8_t> encodeBmp() const;

    // The 8-bit magnitude of the forward 2-D Fourier transform (see
    // Fourier.h); both sides must be powers of two. Invalid on failure.
    CRaster forwardFftMagnitude() const;

    // Forgets the picture; the image becomes invalid.
    void clear();

private:
    bool fail(std::string reason);
    bool decodeBytes(const std::uint8_t* data, std::size_t size, ImageFormat format,
                     const DecodeOptions& options);

    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> pixels_;
    std::vector<std::uint8_t> alpha_;
    RasterSelection selection_;
    ImageFormat sourceFormat_ = ImageFormat::Unknown;
    std::string lastError_;
};

// Grey level of one blue-green-red pixel: (299 R + 587 G + 114 B) / 1000,
// cut to a whole number.
inline std::uint8_t greyLevel(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    return static_cast<std::uint8_t>((299u * red + 587u * green + 114u * blue) / 1000u);
}

}  // namespace dz
