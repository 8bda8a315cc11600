#pragma once

#include "formats/BoxSource.h"

#include <string>

namespace dz {

struct QuickTimeCamera {
    std::string make;
    std::string model;
};

// The camera a movie's user data box (moov/udta) names: the "©mak" and
// "©mod" texts, or else the make at the head of a "TAGS" atom as some
// cameras write it. Only box headers and those atoms are read.
QuickTimeCamera readQuickTimeCamera(BoxSource& file);

// The ISO 6709 text of the user data's "©xyz" atom, where QuickTime movies
// and phones keep where they were made; empty when there is none.
std::string readQuickTimeLocation(BoxSource& file);

}  // namespace dz
