#include "image/CRaster.h"

#include "image/BmpCodec.h"
#include "image/Fourier.h"
#include "image/JpegCodec.h"
#include "image/Placeholder.h"
#include "image/PngCodec.h"
#include "image/TiffCodec.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>
#include <utility>

namespace dz {

namespace {

// Files larger than this are not pictures the program can hold anyway.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        error = "cannot open file";
        return false;
    }
    const std::streamoff end = in.tellg();
    if (end < 0 || static_cast<std::uint64_t>(end) > kMaxFileBytes) {
        error = "cannot read file";
        return false;
    }
    bytes.resize(static_cast<std::size_t>(end));
    in.seekg(0);
    if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), end)) {
        error = "cannot read file";
        return false;
    }
    return true;
}

// Nearest source index of destination index i when n source items are
// spread over m destination items.
inline std::size_t nearest(std::size_t i, std::size_t n, std::size_t m) {
    return i * n / m;
}

}  // namespace

std::size_t CRaster::rowStride(int width, int bitsPerPixel) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8);
    return (rowBytes + 3) & ~std::size_t{3};
}

bool CRaster::fitsLimit(int width, int height, int bitsPerPixel, std::size_t memoryLimit) {
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) {
        return false;
    }
    // Both sides are at most 65535, so the product fits 64 bits.
    const std::uint64_t bytes = std::uint64_t{rowStride(width, bitsPerPixel)} * static_cast<std::uint64_t>(height);
    return bytes <= memoryLimit;
}

bool CRaster::fail(std::string reason) {
    lastError_ = std::move(reason);
    return false;
}

void CRaster::clear() {
    width_ = 0;
    height_ = 0;
    bitsPerPixel_ = 0;
    stride_ = 0;
    pixels_.clear();
    alpha_.clear();
    selection_ = {};
    sourceFormat_ = ImageFormat::Unknown;
}

bool CRaster::createBlank(int width, int height, int bitsPerPixel, std::size_t memoryLimit) {
    if (bitsPerPixel != 24 && bitsPerPixel != 8) {
        return fail("unsupported bits per pixel");
    }
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) {
        return fail("invalid image size");
    }
    if (!fitsLimit(width, height, bitsPerPixel, memoryLimit)) {
        return fail(kMemoryLimitText);
    }
    const std::size_t stride = rowStride(width, bitsPerPixel);
    std::vector<std::uint8_t> pixels;
    try {
        pixels.assign(stride * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
    clear();
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = stride;
    pixels_ = std::move(pixels);
    return true;
}

CRaster CRaster::placeholder(int width, int height) {
    CRaster image;
    if (image.createBlank(width, height, 24)) {
        drawPlaceholder(image);
    }
    return image;
}

const std::uint8_t* CRaster::pixelRow(int row) const {
    if (!isValid() || row < 0 || row >= height_) {
        return nullptr;
    }
    return pixels_.data() + static_cast<std::size_t>(row) * stride_;
}

std::uint8_t* CRaster::pixelRow(int row) {
    if (!isValid() || row < 0 || row >= height_) {
        return nullptr;
    }
    return pixels_.data() + static_cast<std::size_t>(row) * stride_;
}

const std::uint8_t* CRaster::alphaRow(int row) const {
    if (alpha_.empty() || row < 0 || row >= height_) {
        return nullptr;
    }
    return alpha_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width_);
}

bool CRaster::setAlpha(std::vector<std::uint8_t> plane) {
    if (!isValid() || plane.size() != static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {
        return fail("alpha plane does not match the image");
    }
    alpha_ = std::move(plane);
    return true;
}

bool CRaster::decodeFile(const std::string& path, ImageFormat format, const DecodeOptions& options) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    bool ok = false;
    try {
        ok = readWholeFile(path, bytes, error);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    if (!ok) {
        clear();
        return fail(error);
    }
    return decodeMemory(bytes.data(), bytes.size(), format, options);
}

bool CRaster::decodeFile(const std::string& path, ImageFormat format, int wantedWidth, int wantedHeight) {
    DecodeOptions options;
    options.wantedWidth = wantedWidth;
    options.wantedHeight = wantedHeight;
    return decodeFile(path, format, options);
}

bool CRaster::decodeMemory(const std::uint8_t* data, std::size_t size, ImageFormat format,
                           const DecodeOptions& options) {
    bool ok = false;
    try {
        ok = decodeBytes(data, size, format, options);
    } catch (const std::bad_alloc&) {
        ok = fail("out of memory");
    }
    if (!ok) {
        clear();
    }
    return ok;
}

bool CRaster::decodeBytes(const std::uint8_t* data, std::size_t size, ImageFormat format,
                          const DecodeOptions& options) {
    if (data == nullptr || size == 0) {
        return fail("no image data");
    }
    if (format == ImageFormat::Detect) {
        format = detectImageFormat(data, size);
    }
    const std::span<const std::uint8_t> bytes(data, size);
    CRaster decoded;
    std::string error;
    bool ok = false;
    switch (format) {
    case ImageFormat::Jpeg:
        ok = decodeJpeg(bytes, options, decoded, error);
        break;
    case ImageFormat::Png:
        ok = decodePng(bytes, options, decoded, error);
        break;
    case ImageFormat::Tiff:
        ok = decodeTiff(bytes, options, decoded, error);
        break;
    case ImageFormat::Bmp:
        ok = decodeBmp(bytes, options, decoded, error);
        break;
    default:
        return fail("unrecognised image format");
    }
    if (!ok) {
        return fail(error.empty() ? "cannot decode image" : error);
    }
    decoded.sourceFormat_ = format;
    decoded.lastError_.clear();
    *this = std::move(decoded);
    return true;
}

void CRaster::fill(std::uint8_t value) {
    std::fill(pixels_.begin(), pixels_.end(), value);
}

bool CRaster::resample(int newWidth, int newHeight) {
    if (isValid() && newWidth == width_ && newHeight == height_) {
        return true;
    }
    CRaster result = resampled(newWidth, newHeight);
    if (!result.isValid()) {
        return fail(result.lastError_);
    }
    *this = std::move(result);
    return true;
}

CRaster CRaster::resampled(int newWidth, int newHeight) const {
    CRaster result;
    if (!isValid()) {
        result.fail("no image");
        return result;
    }
    if (newWidth < 1 || newHeight < 1 || newWidth > kMaxDimension || newHeight > kMaxDimension) {
        result.fail("invalid image size");
        return result;
    }
    if (!result.createBlank(newWidth, newHeight, bitsPerPixel_)) {
        return result;
    }
    const std::size_t bpp = static_cast<std::size_t>(bytesPerPixel());
    std::vector<std::size_t> sourceColumn(static_cast<std::size_t>(newWidth));
    for (std::size_t x = 0; x < sourceColumn.size(); ++x) {
        sourceColumn[x] = nearest(x, static_cast<std::size_t>(width_), sourceColumn.size());
    }
    for (int y = 0; y < newHeight; ++y) {
        const int sy = static_cast<int>(nearest(static_cast<std::size_t>(y), static_cast<std::size_t>(height_),
                                                static_cast<std::size_t>(newHeight)));
        const std::uint8_t* src = pixelRow(sy);
        std::uint8_t* dst = result.pixelRow(y);
        for (std::size_t x = 0; x < sourceColumn.size(); ++x) {
            std::memcpy(dst + x * bpp, src + sourceColumn[x] * bpp, bpp);
        }
    }
    if (hasAlpha()) {
        std::vector<std::uint8_t> alpha(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight));
        for (int y = 0; y < newHeight; ++y) {
            const std::uint8_t* src = alphaRow(static_cast<int>(nearest(
                static_cast<std::size_t>(y), static_cast<std::size_t>(height_), static_cast<std::size_t>(newHeight))));
            for (std::size_t x = 0; x < sourceColumn.size(); ++x) {
                alpha[static_cast<std::size_t>(y) * sourceColumn.size() + x] = src[sourceColumn[x]];
            }
        }
        result.alpha_ = std::move(alpha);
    }
    result.sourceFormat_ = sourceFormat_;
    return result;
}

CRaster CRaster::shrink(int newWidth, int newHeight) const {
    CRaster result;
    if (!isValid()) {
        result.fail("no image");
        return result;
    }
    if (newWidth < 1 || newHeight < 1 || newWidth > width_ || newHeight > height_) {
        result.fail("shrink size outside the image size");
        return result;
    }
    if (!result.createBlank(newWidth, newHeight, bitsPerPixel_)) {
        return result;
    }
    const std::size_t bpp = static_cast<std::size_t>(bytesPerPixel());
    const bool withAlpha = hasAlpha();
    std::vector<std::uint8_t> alpha;
    if (withAlpha) {
        alpha.resize(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight));
    }
    for (int y = 0; y < newHeight; ++y) {
        // Source rows [y0, y1) and columns [x0, x1) fall on destination (x, y);
        // since the result is not larger, each range holds at least one.
        const int y0 = static_cast<int>(nearest(static_cast<std::size_t>(y), height_, newHeight));
        const int y1 = static_cast<int>(nearest(static_cast<std::size_t>(y) + 1, height_, newHeight));
        std::uint8_t* dst = result.pixelRow(y);
        for (int x = 0; x < newWidth; ++x) {
            const std::size_t x0 = nearest(static_cast<std::size_t>(x), width_, newWidth);
            const std::size_t x1 = nearest(static_cast<std::size_t>(x) + 1, width_, newWidth);
            std::uint32_t sum[3] = {0, 0, 0};
            std::uint32_t alphaSum = 0;
            for (int sy = y0; sy < y1; ++sy) {
                const std::uint8_t* src = pixelRow(sy);
                const std::uint8_t* srcAlpha = withAlpha ? alphaRow(sy) : nullptr;
                for (std::size_t sx = x0; sx < x1; ++sx) {
                    for (std::size_t c = 0; c < bpp; ++c) {
                        sum[c] += src[sx * bpp + c];
                    }
                    if (srcAlpha != nullptr) {
                        alphaSum += srcAlpha[sx];
                    }
                }
            }
            const std::uint32_t count = static_cast<std::uint32_t>((y1 - y0) * (x1 - x0));
            for (std::size_t c = 0; c < bpp; ++c) {
                dst[static_cast<std::size_t>(x) * bpp + c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
            }
            if (withAlpha) {
                alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(newWidth) + static_cast<std::size_t>(x)] =
                    static_cast<std::uint8_t>((alphaSum + count / 2) / count);
            }
        }
    }
    result.alpha_ = std::move(alpha);
    result.sourceFormat_ = sourceFormat_;
    return result;
}

void CRaster::negative() {
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * static_cast<std::size_t>(bytesPerPixel());
    for (int row = 0; row < height_; ++row) {
        std::uint8_t* p = pixelRow(row);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            p[i] = static_cast<std::uint8_t>(255 - p[i]);
        }
    }
}

void CRaster::paste(const CRaster& small, int x, int y) {
    if (!isValid() || !small.isValid()) {
        return;
    }
    // Overlap in this image's top-down coordinates, worked out in 64 bits so
    // that extreme offsets cannot overflow.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + small.width_, width_);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + small.height_, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::size_t dstBpp = static_cast<std::size_t>(bytesPerPixel());
    const std::size_t srcBpp = static_cast<std::size_t>(small.bytesPerPixel());
    for (std::int64_t ty = top; ty < bottom; ++ty) {
        std::uint8_t* dst = topDownRow(static_cast<int>(ty));
        const std::uint8_t* src = small.topDownRow(static_cast<int>(ty - y));
        for (std::int64_t tx = left; tx < right; ++tx) {
            const std::uint8_t* s = src + static_cast<std::size_t>(tx - x) * srcBpp;
            std::uint8_t* d = dst + static_cast<std::size_t>(tx) * dstBpp;
            if (srcBpp == dstBpp) {
                std::memcpy(d, s, dstBpp);
            } else if (dstBpp == 3) {
                d[0] = d[1] = d[2] = s[0];
            } else {
                d[0] = greyLevel(s[0], s[1], s[2]);
            }
        }
    }
}

std::vector<std::uint8_t> CRaster::encodeBmp() const {
    try {
        return dz::encodeBmp(*this);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

CRaster CRaster::forwardFftMagnitude() const {
    try {
        return fourierMagnitude(*this);
    } catch (const std::bad_alloc&) {
        CRaster failed;
        failed.fail("out of memory");
        return failed;
    }
}

}  // namespace dz
