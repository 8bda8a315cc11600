#pragma once

#include "image/CRaster.h"

#include <array>
#include <cstdint>
#include <string>

namespace dz {

// What a picture's own pixels look like, coarsely: its size and a small grey
// copy. Signatures may come from an embedded thumbnail that an editor left
// behind when it changed the picture; the look always comes from the file.
struct PictureLook {
    static constexpr int kSide = 32;

    int width = 0;   // of the decoded file, before any scaling
    int height = 0;
    std::array<std::uint8_t, kSide * kSide> grey{};  // top-down, row by row
    std::uint64_t hash = 0;  // lookHash of the grey copy (see LookHash.h)
    bool valid = false;
};

// The look of a decoded picture; `width` and `height` are the picture's own
// size when the decode was scaled down.
PictureLook lookOfImage(const CRaster& image, int width, int height);

// The look of the picture file at `path`; invalid when it does not decode.
// `width` and `height` are the file's own size (from its frame header), or
// 0 to take the decoded size.
PictureLook lookOfFile(const std::string& path, int width, int height);

// Mean absolute difference of the grey copies, 0 (the same) to 255.
double lookDifference(const PictureLook& a, const PictureLook& b);

// Mean grey level of the look, 0 to 255.
double meanGrey(const PictureLook& look);

// Whether the sides are in the same proportion, within a share of `slack`.
bool sameProportions(const PictureLook& a, const PictureLook& b, double slack);

// Share by which the sides' proportions of alike pictures may differ.
inline constexpr double kProportionSlack = 0.02;
// Share of the brighter look's mean grey by which alike looks' means may
// differ: a stop of exposure moved it by a fifth or more in the pictures
// measured, a re-encode or resize by 0.014 at most.
inline constexpr double kBrightnessSlack = 0.08;

// The similar mode's distance: lookDifference as a share of the whole grey
// scale, 0 (the same) to 1.
double lookDistance(const PictureLook& a, const PictureLook& b);

// Whether two looks are one picture, re-encoded or resized: both decoded,
// their sides in proportion, their mean greys within kBrightnessSlack of one
// another and their distance at most `threshold`.
bool looksAlike(const PictureLook& a, const PictureLook& b, double threshold);

}  // namespace dz
