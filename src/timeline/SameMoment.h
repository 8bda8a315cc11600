#pragma once

#include "timeline/ShotTime.h"

#include <cstdint>
#include <optional>

namespace dz {

// The correction of a camera's clock that puts its shot `mine` on the same
// moment as `other`, a shot of another device the user knows was taken at
// once: the current correction plus the distance between the two moments,
// in whole seconds (the fractions rounded). None where it would be larger
// than a correction can be written (parseClockCorrection's hours).
std::optional<std::int64_t> sameMomentCorrection(std::int64_t currentCorrection, const ShotTime& mine,
                                                 const ShotTime& other);

}  // namespace dz
