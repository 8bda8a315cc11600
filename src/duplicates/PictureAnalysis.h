#pragma once

#include "catalogue/PictureRecord.h"
#include "image/CRaster.h"

#include <array>

namespace dz {

// Sixteen shares of the spatial-frequency content of a picture: the 4 x 4
// blocks of its 64 x 64 spectrum, block row by block row.
using Signature = std::array<double, 16>;

// Side of the small grey picture whose spectrum makes the signature.
inline constexpr int kSignatureSide = 64;

// A picture counts as analysed once the first share is not 0.0; the constant
// term of every spectrum falls into that block, so a real analysis never
// leaves it at 0.
bool isAnalysed(const PictureRecord& picture);

// The signature of a decoded picture; false (and `out` untouched) when it
// cannot be brought to 64 x 64 or transformed.
bool signatureOfImage(const CRaster& image, Signature& out);

// Computes and stores the picture's signature from its embedded thumbnail,
// or from its file when it has none (or the thumbnail does not decode). A
// picture that cannot be decoded keeps the signature it had.
void analysePicture(PictureRecord& picture);

}  // namespace dz
