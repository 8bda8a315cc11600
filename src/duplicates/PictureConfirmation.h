#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/PictureLook.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace dz {

// Mean grey difference (0 to 255) up to which two looks are one picture: a
// re-encode or a resize stays well below these, a crop, an inversion or
// another exposure of the scene lies far above.
inline constexpr double kExactLookTolerance = 3.0;
inline constexpr double kSimilarLookTolerance = 6.0;
// Share by which the sides' proportions of alike pictures may differ.
inline constexpr double kProportionSlack = 0.02;

// Decides from the pictures' own files whether a candidate found by its
// signature belongs with the head of a group. A signature made from an
// embedded thumbnail describes the thumbnail, which editors keep when they
// crop or invert the picture, and a picture that never decoded has no
// signature at all; in the exact mode only such pairs are looked at, in the
// similar mode every pair. Byte-identical files always belong together.
// Each file is decoded at most once.
class PictureConfirmation {
public:
    PictureConfirmation(const std::vector<PictureRecord>& catalogue, bool similar);

    bool confirms(std::size_t head, std::size_t member);

private:
    bool signatureIsOwn(std::size_t index) const;
    const PictureLook& look(std::size_t index);
    bool sameFile(std::size_t a, std::size_t b);

    const std::vector<PictureRecord>& catalogue_;
    bool similar_;
    std::vector<std::optional<PictureLook>> looks_;
    FileSystem fileSystem_;
};

}  // namespace dz
