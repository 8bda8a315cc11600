#include "duplicates/LookHash.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace dz {

namespace {

constexpr int kSide = PictureLook::kSide;
constexpr int kKept = 8;  // frequencies kept in each direction

// The orthonormal DCT-II basis for the kept frequencies: row u holds
// a(u) cos(pi (2x + 1) u / 2N) for each x.
using Basis = std::array<std::array<double, kSide>, kKept>;

Basis makeBasis() {
    Basis basis{};
    for (int u = 0; u < kKept; ++u) {
        const double scale = std::sqrt((u == 0 ? 1.0 : 2.0) / kSide);
        for (int x = 0; x < kSide; ++x) {
            basis[static_cast<std::size_t>(u)][static_cast<std::size_t>(x)] =
                scale * std::cos(std::numbers::pi * (2 * x + 1) * u / (2.0 * kSide));
        }
    }
    return basis;
}

}  // namespace

LookHash lookHash(const PictureLook& look) {
    static const Basis basis = makeBasis();
    // Each row to its kept frequencies, then each of those down the columns.
    std::array<std::array<double, kKept>, kSide> rows{};
    for (int y = 0; y < kSide; ++y) {
        const std::uint8_t* grey = look.grey.data() + static_cast<std::size_t>(y * kSide);
        for (int u = 0; u < kKept; ++u) {
            double sum = 0.0;
            for (int x = 0; x < kSide; ++x) {
                sum += basis[static_cast<std::size_t>(u)][static_cast<std::size_t>(x)] * grey[x];
            }
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(u)] = sum;
        }
    }
    std::array<double, kKept * kKept> frequencies{};
    for (int v = 0; v < kKept; ++v) {
        for (int u = 0; u < kKept; ++u) {
            double sum = 0.0;
            for (int y = 0; y < kSide; ++y) {
                sum += basis[static_cast<std::size_t>(v)][static_cast<std::size_t>(y)] *
                       rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(u)];
            }
            frequencies[static_cast<std::size_t>(v * kKept + u)] = sum;
        }
    }
    // The median of the 63 varying terms: the 32nd smallest.
    std::array<double, kKept * kKept - 1> varying{};
    std::copy(frequencies.begin() + 1, frequencies.end(), varying.begin());
    std::nth_element(varying.begin(), varying.begin() + 31, varying.end());
    const double median = varying[31];
    LookHash hash = 0;
    for (std::size_t k = 1; k < frequencies.size(); ++k) {
        if (frequencies[k] > median) {
            hash |= LookHash{1} << k;
        }
    }
    return hash;
}

}  // namespace dz
