#pragma once

#include "duplicates/PictureLook.h"

#include <cstdint>

namespace dz {

// 64 bits of a look's coarse shape: the sign, against their median, of the
// 8 x 8 lowest spatial frequencies of the grey copy (the constant term left
// out, its bit always 0). A re-encode or a resize moves few of them; a crop
// or an inversion most. The hash says nothing of brightness or contrast, so
// it only finds candidates; the looks themselves decide.
using LookHash = std::uint64_t;

// The most bits in which the hashes of two pictures may differ for the
// similar mode to measure their looks: re-encodes and resizes of the camera
// and phone pictures measured moved at most 2 (4 for pictures smaller than
// the look), while a crop moved as few as 0 and distinct pictures as few as
// 8, so the hash only finds candidates.
inline constexpr int kSimilarHashReach = 8;

LookHash lookHash(const PictureLook& look);

// How many bits of the two hashes differ, 0 to 64. Counted in the register
// (bit pairs, nibbles, then bytes summed by one multiplication): the compare
// pass counts millions of them, and without a popcount instruction in the
// baseline instruction set the compiler's count is a library call.
inline int hashDistance(LookHash a, LookHash b) {
    std::uint64_t x = a ^ b;
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

}  // namespace dz
