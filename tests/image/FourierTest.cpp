#include "ImageWriters.h"
#include "image/CRaster.h"
#include "image/Fourier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

namespace dz {
namespace {

constexpr int kSize = 64;

// A 64 x 64 grey picture with level f(x, stored row).
template <typename F>
CRaster greyPicture(F level, int bits = 8) {
    CRaster image;
    image.createBlank(kSize, kSize, bits);
    for (int row = 0; row < kSize; ++row) {
        std::uint8_t* p = image.pixelRow(row);
        for (int x = 0; x < kSize; ++x) {
            const auto v = static_cast<std::uint8_t>(level(x, row));
            for (int c = 0; c < bits / 8; ++c) {
                p[x * (bits / 8) + c] = v;
            }
        }
    }
    return image;
}

// Magnitude byte of frequency (u, v).
int at(const CRaster& spectrum, int u, int v) {
    return spectrum.pixelRow(v)[u];
}

TEST(ForwardFft, MatchesTheDirectSum) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> value(-100.0, 100.0);
    for (std::size_t n : {1u, 2u, 8u, 64u}) {
        std::vector<std::complex<double>> input(n);
        for (auto& v : input) {
            v = {value(random), value(random)};
        }
        std::vector<std::complex<double>> fast = input;
        ASSERT_TRUE(forwardFft(fast));
        for (std::size_t k = 0; k < n; ++k) {
            std::complex<double> sum;
            for (std::size_t j = 0; j < n; ++j) {
                const double angle = -2.0 * std::numbers::pi * static_cast<double>(k * j) / static_cast<double>(n);
                sum += input[j] * std::complex<double>(std::cos(angle), std::sin(angle));
            }
            EXPECT_NEAR(fast[k].real(), sum.real(), 1e-9 * static_cast<double>(n) * 100) << n << ":" << k;
            EXPECT_NEAR(fast[k].imag(), sum.imag(), 1e-9 * static_cast<double>(n) * 100) << n << ":" << k;
        }
    }
}

TEST(ForwardFft, RefusesLengthsThatAreNotPowersOfTwo) {
    for (std::size_t n : {0u, 3u, 6u, 100u}) {
        std::vector<std::complex<double>> values(n);
        EXPECT_FALSE(forwardFft(values)) << n;
    }
}

TEST(FourierMagnitude, ConstantPictureHasOnlyTheDirectTerm) {
    const CRaster spectrum = greyPicture([](int, int) { return 200; }).forwardFftMagnitude();
    ASSERT_TRUE(spectrum.isValid());
    EXPECT_EQ(spectrum.width(), kSize);
    EXPECT_EQ(spectrum.height(), kSize);
    EXPECT_EQ(spectrum.bitsPerPixel(), 8);
    EXPECT_EQ(spectrum.stride(), 64u);
    EXPECT_EQ(spectrum.pixels()[0], 255);
    for (int i = 1; i < kSize * kSize; ++i) {
        ASSERT_EQ(spectrum.pixels()[i], 0) << i;
    }
}

TEST(FourierMagnitude, BlackPictureIsAllZero) {
    const CRaster spectrum = greyPicture([](int, int) { return 0; }).forwardFftMagnitude();
    ASSERT_TRUE(spectrum.isValid());
    for (int i = 0; i < kSize * kSize; ++i) {
        ASSERT_EQ(spectrum.pixels()[i], 0) << i;
    }
}

class FourierCosine : public testing::TestWithParam<int> {};

TEST_P(FourierCosine, HorizontalWavePeaksAtPlusAndMinusItsFrequency) {
    const int k = GetParam();
    const CRaster picture = greyPicture([k](int x, int) {
        return std::lround(128.0 + 100.0 * std::cos(2.0 * std::numbers::pi * k * x / kSize));
    });
    const CRaster spectrum = picture.forwardFftMagnitude();
    ASSERT_TRUE(spectrum.isValid());
    const int peak = at(spectrum, k, 0);
    EXPECT_EQ(at(spectrum, kSize - k, 0), peak);
    EXPECT_EQ(at(spectrum, 0, 0), 255);  // the mean 128 outweighs the wave's 50
    EXPECT_GT(peak, 200);
    int strongestOther = 0;
    for (int v = 0; v < kSize; ++v) {
        for (int u = 0; u < kSize; ++u) {
            const bool expected = v == 0 && (u == 0 || u == k || u == kSize - k);
            if (!expected) {
                strongestOther = std::max(strongestOther, at(spectrum, u, v));
            }
        }
    }
    // Rounding the wave to whole grey levels leaves faint harmonics only.
    EXPECT_LT(strongestOther, peak - 100) << "k " << k;
}

INSTANTIATE_TEST_SUITE_P(Frequencies, FourierCosine, testing::Values(1, 4, 7, 16, 31));

TEST(FourierMagnitude, IdenticalPicturesGiveIdenticalBytes) {
    const CRaster a = test::patternImage(kSize, kSize);
    const CRaster b = test::patternImage(kSize, kSize);
    const CRaster sa = a.forwardFftMagnitude();
    const CRaster sb = b.forwardFftMagnitude();
    ASSERT_TRUE(sa.isValid());
    EXPECT_TRUE(test::samePixels(sa, sb));
    // Not a flat answer: the pattern has a spread of frequencies.
    int distinct = 0;
    std::vector<bool> seen(256);
    for (int i = 0; i < kSize * kSize; ++i) {
        if (!seen[sa.pixels()[i]]) {
            seen[sa.pixels()[i]] = true;
            ++distinct;
        }
    }
    EXPECT_GT(distinct, 20);
}

TEST(FourierMagnitude, BrightnessScaleDoesNotChangeTheBytes) {
    std::mt19937 random(11);
    std::vector<int> levels(kSize * kSize);
    for (int& l : levels) {
        l = static_cast<int>(random() % 60);
    }
    const auto scaled = [&levels](int factor) {
        return greyPicture([&levels, factor](int x, int row) { return factor * levels[row * kSize + x]; });
    };
    const CRaster base = scaled(1).forwardFftMagnitude();
    EXPECT_TRUE(test::samePixels(scaled(2).forwardFftMagnitude(), base));
    EXPECT_TRUE(test::samePixels(scaled(4).forwardFftMagnitude(), base));
}

TEST(FourierMagnitude, ColourPictureGoesGreyByTheWeights) {
    // Red 100, green 50, blue 10 is grey (29900 + 29350 + 1140) / 1000 = 60.
    CRaster colour;
    ASSERT_TRUE(colour.createBlank(kSize, kSize, 24));
    CRaster grey = greyPicture([](int, int) { return 60; });
    for (int row = 0; row < kSize; ++row) {
        for (int x = 0; x < kSize; ++x) {
            std::uint8_t* p = colour.pixelRow(row) + 3 * x;
            p[0] = 10;
            p[1] = 50;
            p[2] = 100;
        }
    }
    colour.pixelRow(3)[0] = 200;  // one odd pixel, so the spectrum is not trivial
    grey.pixelRow(3)[0] = greyLevel(200, 50, 100);
    EXPECT_EQ(greyLevel(10, 50, 100), 60);
    EXPECT_TRUE(test::samePixels(colour.forwardFftMagnitude(), grey.forwardFftMagnitude()));
}

TEST(FourierMagnitude, SidesMustBePowersOfTwo) {
    EXPECT_FALSE(test::patternImage(60, 64).forwardFftMagnitude().isValid());
    EXPECT_FALSE(test::patternImage(64, 48).forwardFftMagnitude().isValid());
    EXPECT_FALSE(CRaster().forwardFftMagnitude().isValid());
    EXPECT_TRUE(test::patternImage(32, 8).forwardFftMagnitude().isValid());
}

}  // namespace
}  // namespace dz
