#pragma once

namespace dz {

// Where a picture goes in a thumbnail box (160 x 120 on the film, 640 x 480
// in the large viewer).
struct ThumbnailFit {
    enum class Kind {
        Unchanged,  // already exactly the box size
        Stretch,    // box width, other height: resampled straight to the box
        Centred,    // resampled to width x height and pasted at (x, y) on black
    };
    Kind kind = Kind::Unchanged;
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;

    bool operator==(const ThumbnailFit&) const = default;
};

// The fit of a sourceWidth x sourceHeight picture into a boxWidth x
// boxHeight box. For Centred: ratio = width / height as real numbers; a
// ratio of 4/3 or more gives the box width and box width / ratio, a smaller
// one the box height and ratio x box height, each cut to a whole number; the
// offsets are box / 2 - size / 2 with each half cut before the subtraction.
// A side that would be cut to 0 (a picture like 5000 x 1) is kept at 1 pixel
// so that the picture still shows as a line rather than failing.
// Sides below 1 give a fit of 0 x 0 (nothing to show).
ThumbnailFit fitThumbnail(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

}  // namespace dz
