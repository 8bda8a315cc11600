#pragma once

#include "image/CRaster.h"

#include <complex>
#include <cstddef>
#include <vector>

namespace dz {

// Forward discrete Fourier transform in place, radix 2:
// X[k] = sum over n of x[n] * exp(-2 pi i k n / N), no normalisation.
// `values.size()` must be a power of two (1 included); false otherwise.
bool forwardFft(std::vector<std::complex<double>>& values);

// How large a magnitude |F| may be before it gets byte 255 is set by the
// largest one of the picture: byte = round(255 * ln(1 + K |F| / max) / ln(1 + K))
// with K = kMagnitudeRange. Dividing by the maximum makes the bytes independent
// of the picture's overall brightness scale; the logarithm keeps the weak
// frequencies visible beside the strong constant term. When max is 0 every
// byte is 0.
inline constexpr double kMagnitudeRange = 10000.0;

// The 8-bit magnitude image of the 2-D forward transform of `image`: the
// picture goes grey (greyLevel weights for colour), the grey level g of each
// pixel is taken as the complex value g + i g, rows then columns are
// transformed in double precision, and the magnitudes are scaled as above.
// The result is an 8-bit grey image of the same size; frequency (u, v) lies
// at byte u of stored row v, so (0, 0) is the first byte of pixels(), and
// stored row r of the input is spatial row r. Both sides must be powers of
// two; otherwise the result is invalid.
CRaster fourierMagnitude(const CRaster& image);

}  // namespace dz
