#pragma once

#include "duplicates/PictureAnalysis.h"

namespace dz {

// Euclidean distance of two signatures; pictures are duplicates when it is
// exactly 0.0.
double signatureDistance(const Signature& a, const Signature& b);

}  // namespace dz
