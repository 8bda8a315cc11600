#include "image/Fourier.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace dz {

namespace {

bool isPowerOfTwo(std::size_t n) {
    return n != 0 && (n & (n - 1)) == 0;
}

}  // namespace

bool forwardFft(std::vector<std::complex<double>>& values) {
    const std::size_t n = values.size();
    if (!isPowerOfTwo(n)) {
        return false;
    }
    // Bit-reversed order first, so the butterflies can work in place.
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(values[i], values[j]);
        }
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(length);
        const std::size_t half = length / 2;
        for (std::size_t start = 0; start < n; start += length) {
            for (std::size_t k = 0; k < half; ++k) {
                // Twiddles from the angle directly: no drift from repeated
                // multiplication, and the same bits for the same input.
                const double a = angle * static_cast<double>(k);
                const std::complex<double> w(std::cos(a), std::sin(a));
                const std::complex<double> even = values[start + k];
                const std::complex<double> odd = values[start + k + half] * w;
                values[start + k] = even + odd;
                values[start + k + half] = even - odd;
            }
        }
    }
    return true;
}

CRaster fourierMagnitude(const CRaster& image) {
    CRaster result;
    const std::size_t width = static_cast<std::size_t>(image.width());
    const std::size_t height = static_cast<std::size_t>(image.height());
    if (!image.isValid() || !isPowerOfTwo(width) || !isPowerOfTwo(height)) {
        return result;
    }
    if (!result.createBlank(image.width(), image.height(), 8)) {
        return result;
    }
    std::vector<std::complex<double>> grid(width * height);
    const std::size_t bpp = static_cast<std::size_t>(image.bytesPerPixel());
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* p = image.pixelRow(static_cast<int>(row));
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* px = p + x * bpp;
            const double g = bpp == 3 ? greyLevel(px[0], px[1], px[2]) : px[0];
            grid[row * width + x] = {g, g};
        }
    }
    std::vector<std::complex<double>> line(width);
    for (std::size_t row = 0; row < height; ++row) {
        std::copy_n(grid.begin() + static_cast<std::ptrdiff_t>(row * width), width, line.begin());
        forwardFft(line);
        std::copy(line.begin(), line.end(), grid.begin() + static_cast<std::ptrdiff_t>(row * width));
    }
    line.resize(height);
    for (std::size_t x = 0; x < width; ++x) {
        for (std::size_t row = 0; row < height; ++row) {
            line[row] = grid[row * width + x];
        }
        forwardFft(line);
        for (std::size_t row = 0; row < height; ++row) {
            grid[row * width + x] = line[row];
        }
    }
    std::vector<double> magnitude(grid.size());
    double largest = 0.0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        magnitude[i] = std::abs(grid[i]);
        largest = std::max(largest, magnitude[i]);
    }
    if (largest <= 0.0) {
        return result;  // all bytes already 0
    }
    const double scale = 255.0 / std::log1p(kMagnitudeRange);
    for (std::size_t row = 0; row < height; ++row) {
        std::uint8_t* out = result.pixelRow(static_cast<int>(row));
        for (std::size_t x = 0; x < width; ++x) {
            const double level = scale * std::log1p(kMagnitudeRange * magnitude[row * width + x] / largest);
            out[x] = static_cast<std::uint8_t>(std::lround(std::clamp(level, 0.0, 255.0)));
        }
    }
    return result;
}

}  // namespace dz
