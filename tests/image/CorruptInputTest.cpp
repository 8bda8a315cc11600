#include "ImageWriters.h"
#include "TempDir.h"
#include "image/CRaster.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace dz {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Sample {
    std::string name;
    Bytes bytes;
};

std::vector<Sample> samples() {
    std::vector<Sample> all;
    for (const char* name : {"canon-40d.jpg", "nikon-640x480-exif-thumbnail-160x120.jpg",
                             "orientation-6-big-endian.jpg"}) {
        all.push_back({name, test::readFileBytes(std::string(DZ_TEST_DATA) + "/" + name)});
    }
    const CRaster pattern = test::patternImage(48, 32);
    all.push_back({"progressive.jpg", test::writeJpeg(pattern, 80, test::JpegKind::Progressive)});
    all.push_back({"rgb.png", test::writePng(pattern, test::PngKind::Rgb)});
    all.push_back({"bitmap.bmp", pattern.encodeBmp()});
    const test::TempDir dir;
    const std::string tiffPath = (dir.path() / "pattern.tif").string();
    if (test::writeTiff(tiffPath, pattern)) {
        all.push_back({"pattern.tif", test::readFileBytes(tiffPath)});
    }
    return all;
}

// Decodes and checks that a picture that comes out is whole, and that no
// codec printed anything.
void decodeQuietly(const Bytes& bytes, const std::string& what, bool mustFail) {
    testing::internal::CaptureStderr();
    CRaster image;
    const bool ok = image.decodeMemory(bytes.data(), bytes.size(), ImageFormat::Detect);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "") << what;
    EXPECT_EQ(ok, image.isValid()) << what;
    if (mustFail) {
        EXPECT_FALSE(ok) << what;
    }
    if (ok) {
        EXPECT_GT(image.width(), 0) << what;
        EXPECT_EQ(image.pixelBytes(), image.stride() * static_cast<std::size_t>(image.height())) << what;
    } else {
        EXPECT_FALSE(image.lastError().empty()) << what;
    }
}

TEST(CorruptInput, SamplesAreWholeToStartWith) {
    const std::vector<Sample> all = samples();
    ASSERT_EQ(all.size(), 7u);
    for (const Sample& s : all) {
        ASSERT_FALSE(s.bytes.empty()) << s.name;
        CRaster image;
        EXPECT_TRUE(image.decodeMemory(s.bytes.data(), s.bytes.size(), ImageFormat::Detect)) << s.name;
    }
}

TEST(CorruptInput, TruncatedCopiesFailOrComeOutWhole) {
    for (const Sample& s : samples()) {
        const std::size_t n = s.bytes.size();
        for (std::size_t length : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{8}, std::size_t{20},
                                   n / 8, n / 4, n / 2, n * 3 / 4, n - 40, n - 2, n - 1}) {
            const Bytes cut(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(length));
            // Cut to half or less, no format has the whole picture left.
            decodeQuietly(cut, s.name + " cut to " + std::to_string(length), length <= n / 2);
        }
    }
}

TEST(CorruptInput, BitFlippedCopiesNeverCrash) {
    std::mt19937 random(20240611);
    for (const Sample& s : samples()) {
        std::uniform_int_distribution<std::size_t> position(0, s.bytes.size() - 1);
        std::uniform_int_distribution<int> bit(0, 7);
        for (int round = 0; round < 60; ++round) {
            Bytes spoilt = s.bytes;
            // Headers are where the lengths live: half the flips land there.
            const int flips = 1 + round % 4;
            for (int f = 0; f < flips; ++f) {
                const std::size_t at = round % 2 == 0 ? position(random) % std::min<std::size_t>(s.bytes.size(), 512)
                                                      : position(random);
                spoilt[at] ^= static_cast<std::uint8_t>(1u << bit(random));
            }
            decodeQuietly(spoilt, s.name + " round " + std::to_string(round), false);
        }
    }
}

TEST(CorruptInput, EmptyAndGarbageInputsAreInvalid) {
    CRaster image;
    EXPECT_FALSE(image.decodeMemory(nullptr, 0, ImageFormat::Detect));
    EXPECT_FALSE(image.decodeMemory(nullptr, 100, ImageFormat::Jpeg));
    const Bytes zero;
    decodeQuietly(zero, "zero length", true);
    Bytes garbage(4096);
    std::mt19937 random(7);
    for (std::uint8_t& b : garbage) {
        b = static_cast<std::uint8_t>(random());
    }
    garbage[0] = 0x12;  // not a known magic
    decodeQuietly(garbage, "garbage", true);
    for (const std::string& magic : {std::string("\xFF\xD8", 2), std::string("\x89PNG\r\n\x1A\n", 8),
                                     std::string("II*\0", 4), std::string("MM\0*", 4), std::string("BM", 2)}) {
        Bytes withMagic = garbage;
        std::copy(magic.begin(), magic.end(), withMagic.begin());
        decodeQuietly(withMagic, "garbage after magic " + magic, true);
    }
}

TEST(CorruptInput, FileThatIsNotThereOrIsEmpty) {
    const test::TempDir dir;
    CRaster image;
    EXPECT_FALSE(image.decodeFile((dir.path() / "missing.jpg").string(), ImageFormat::Detect));
    EXPECT_FALSE(image.lastError().empty());
    const auto empty = dir.write("empty.jpg", "");
    EXPECT_FALSE(image.decodeFile(empty.string(), ImageFormat::Jpeg));
    EXPECT_FALSE(image.decodeFile(dir.path().string(), ImageFormat::Detect));  // a folder
}

}  // namespace
}  // namespace dz
