#include "duplicates/PictureAnalysis.h"

#include "formats/PictureDecode.h"

#include <algorithm>
#include <cmath>

namespace dz {

namespace {

constexpr int kBlocks = 4;
constexpr int kBlockSide = kSignatureSide / kBlocks;

// Lets the JPEG decoder scale down on the way in: a 64 x 64 result needs no
// more than an eighth of a camera picture.
DecodeOptions smallDecode() {
    DecodeOptions options;
    options.wantedWidth = kSignatureSide;
    options.wantedHeight = kSignatureSide;
    return options;
}

bool decodeThumbnail(const ExifInfo& exif, CRaster& image) {
    if (exif.thumbnail.empty()) {
        return false;
    }
    // The stored length is never trusted beyond the bytes actually kept.
    const std::size_t length = std::min<std::size_t>(exif.thumbnailSize, exif.thumbnail.size());
    return image.decodeMemory(exif.thumbnail.data(), length, ImageFormat::Detect, smallDecode());
}

}  // namespace

bool isAnalysed(const PictureRecord& picture) {
    return picture.block && picture.block->signature[0] != 0.0;
}

bool signatureOfImage(const CRaster& image, Signature& out) {
    if (!image.isValid()) {
        return false;
    }
    CRaster small = image;
    if (!small.resample(kSignatureSide, kSignatureSide)) {
        return false;
    }
    const CRaster spectrum = small.forwardFftMagnitude();
    if (!spectrum.isValid() || spectrum.bitsPerPixel() != 8 || spectrum.width() != kSignatureSide ||
        spectrum.height() != kSignatureSide) {
        return false;
    }
    Signature values{};
    for (int row = 0; row < kSignatureSide; ++row) {
        const std::uint8_t* bytes = spectrum.pixelRow(row);
        for (int column = 0; column < kSignatureSide; ++column) {
            values[static_cast<std::size_t>((row / kBlockSide) * kBlocks + column / kBlockSide)] += bytes[column];
        }
    }
    double total = 0.0;
    for (double& value : values) {
        value = std::sqrt(value);
        total += value;
    }
    if (total == 0.0) {
        // A black picture has no spectrum at all; equal shares keep it
        // analysed and make black pictures equal to one another, where a
        // division by zero would leave sixteen NaNs that equal nothing.
        values.fill(1.0 / 16.0);
    } else {
        for (double& value : values) {
            value /= total;
        }
    }
    out = values;
    return true;
}

void analysePicture(PictureRecord& picture) {
    if (!picture.block) {
        return;
    }
    CRaster image;
    if (!decodeThumbnail(picture.exif(), image) &&
        !decodePictureFile(picture.path, smallDecode(), image)) {
        return;
    }
    signatureOfImage(image, picture.block->signature);
}

}  // namespace dz
