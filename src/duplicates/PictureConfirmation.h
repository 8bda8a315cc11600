#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/PictureLook.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace dz {

// Mean grey difference (0 to 255) up to which two looks of one size are one
// picture: a re-encode stays well below it, a crop, an inversion or another
// exposure of the scene lies far above.
inline constexpr double kExactLookTolerance = 3.0;

// Decides in the exact mode from the pictures' own files whether a candidate
// found by its signature belongs with the head of a group. A signature made
// from an embedded thumbnail describes the thumbnail, which editors keep when
// they crop or invert the picture, and a picture that never decoded has no
// signature at all; only such pairs are looked at. Byte-identical files
// always belong together. Each file is decoded at most once.
class PictureConfirmation {
public:
    explicit PictureConfirmation(const std::vector<PictureRecord>& catalogue);

    bool confirms(std::size_t head, std::size_t member);

private:
    bool signatureIsOwn(std::size_t index) const;
    const PictureLook& look(std::size_t index);
    bool sameFile(std::size_t a, std::size_t b);

    const std::vector<PictureRecord>& catalogue_;
    std::unordered_map<std::size_t, PictureLook> looks_;  // only pictures looked at
    FileSystem fileSystem_;
};

}  // namespace dz
