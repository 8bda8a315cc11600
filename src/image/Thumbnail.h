#pragma once

#include "image/CRaster.h"

namespace dz {

// The thumbnail of `source` for a boxWidth x boxHeight box, as fitThumbnail
// places it: the source itself when it has the box size, stretched to the
// box when only its width matches, else resampled and centred on a black
// 24-bit box. Invalid (the resample's reason in lastError) when the source
// is invalid or cannot be resampled.
CRaster makeThumbnail(const CRaster& source, int boxWidth, int boxHeight);

}  // namespace dz
