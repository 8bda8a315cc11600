// Time per 160 x 120 thumbnail on large generated JPEGs and on the real
// camera files of tests/data:
//   (a) scaled decode (wanted 160 x 120) + makeThumbnail,
//   (b) full-size decode + makeThumbnail,
//   (c) decode of the embedded EXIF thumbnail + makeThumbnail, where there is one.
// Every picture is in memory first, so the figures are decoding, not disk.
// Target: (a) at least 4x faster than (b) for pictures at least 4x the
// thumbnail size. Exit status 1 when a checked picture misses it.

#include "ImageWriters.h"
#include "exif/CExifReader.h"
#include "image/CRaster.h"
#include "image/Thumbnail.h"
#include "platform/ByteSource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using dz::CRaster;

struct Picture {
    std::string name;
    Bytes file;
    Bytes exifThumbnail;
    int width = 0;
    int height = 0;
};

// A generated photograph: smooth colour with grain, so entropy decoding costs
// what it costs on a real picture.
Bytes largeJpeg(int width, int height, unsigned seed) {
    CRaster image = dz::test::patternImage(width, height);
    std::mt19937 random(seed);
    for (int row = 0; row < image.height(); ++row) {
        std::uint8_t* p = image.pixelRow(row);
        for (int i = 0; i < image.width() * 3; ++i) {
            const int v = p[i] + static_cast<int>(random() % 25) - 12;
            p[i] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
        }
    }
    return dz::test::writeJpeg(image, 90);
}

Bytes exifThumbnailOf(const Bytes& file) {
    dz::CExifReader reader;
    dz::MemorySource source(file.data(), file.size());
    if (!reader.Decode(source)) {
        return {};
    }
    const dz::ExifInfo& info = reader.info();
    return Bytes(info.thumbnail.begin(), info.thumbnail.begin() + std::min<std::size_t>(info.thumbnailSize, info.thumbnail.size()));
}

// Milliseconds per call: the best of several rounds of `repeat` calls.
double msPerCall(const std::function<bool()>& make, int repeat) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeat; ++i) {
            if (!make()) {
                return -1.0;
            }
        }
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / repeat);
    }
    return best;
}

bool thumbnailFrom(const Bytes& bytes, const dz::DecodeOptions& options) {
    CRaster image;
    if (!image.decodeMemory(bytes.data(), bytes.size(), dz::ImageFormat::Detect, options)) {
        return false;
    }
    const CRaster thumbnail = dz::makeThumbnail(image, 160, 120);
    return thumbnail.width() == 160 && thumbnail.height() == 120;
}

}  // namespace

int main() {
    std::vector<Picture> pictures;
    for (unsigned i = 0; i < 4; ++i) {
        pictures.push_back({"generated-3000x2000-" + std::to_string(i + 1) + ".jpg", largeJpeg(3000, 2000, i + 1), {}});
    }
    for (const char* name : {"reconyx-2048x1536-no-thumbnail.jpg", "nikon-640x480-exif-thumbnail-160x120.jpg",
                             "orientation-6-big-endian.jpg", "canon-40d.jpg"}) {
        Picture p{name, dz::test::readFileBytes(std::string(DZ_TEST_DATA) + "/" + name), {}};
        p.exifThumbnail = exifThumbnailOf(p.file);
        pictures.push_back(std::move(p));
    }

    dz::DecodeOptions scaled;
    scaled.wantedWidth = 160;
    scaled.wantedHeight = 120;
    const dz::DecodeOptions full;

    std::printf("%-42s %11s %8s %9s %9s %9s %7s\n", "picture", "size", "file KB", "(a) ms", "(b) ms", "(c) ms",
                "b/a");
    bool targetMet = true;
    for (Picture& p : pictures) {
        CRaster probe;
        if (p.file.empty() || !probe.decodeMemory(p.file.data(), p.file.size(), dz::ImageFormat::Detect)) {
            std::printf("%-42s cannot decode\n", p.name.c_str());
            return 2;
        }
        p.width = probe.width();
        p.height = probe.height();
        const int repeat = p.width * p.height > 1000000 ? 5 : 50;
        const double a = msPerCall([&] { return thumbnailFrom(p.file, scaled); }, repeat);
        const double b = msPerCall([&] { return thumbnailFrom(p.file, full); }, repeat);
        const double c = p.exifThumbnail.empty() ? -1.0
                                                 : msPerCall([&] { return thumbnailFrom(p.exifThumbnail, full); }, 200);
        const double ratio = b / a;
        char cText[16] = "-";
        if (c >= 0) {
            std::snprintf(cText, sizeof cText, "%.3f", c);
        }
        const std::string size = std::to_string(p.width) + "x" + std::to_string(p.height);
        std::printf("%-42s %11s %8zu %9.3f %9.3f %9s %6.1fx\n", p.name.c_str(), size.c_str(), p.file.size() / 1024, a,
                    b, cText, ratio);
        // Four times the thumbnail in both directions.
        if (p.width >= 4 * 160 && p.height >= 4 * 120 && ratio < 4.0) {
            targetMet = false;
        }
    }
    std::printf("target (a) >= 4x faster than (b) for pictures of at least 640x480: %s\n",
                targetMet ? "met" : "MISSED");
    return targetMet ? 0 : 1;
}
