#include "formats/FrameTurn.h"

#include <cstring>

namespace dz {

bool turnClockwise(CRaster& frame, int quarterTurns) {
    const int turns = (quarterTurns % 4 + 4) % 4;
    if (turns == 0 || !frame.isValid()) {
        return true;
    }
    const int width = frame.width();
    const int height = frame.height();
    const bool across = turns % 2 != 0;
    CRaster turned;
    if (!turned.createBlank(across ? height : width, across ? width : height, frame.bitsPerPixel())) {
        return false;
    }
    const auto bpp = static_cast<std::size_t>(frame.bytesPerPixel());
    for (int y = 0; y < turned.height(); ++y) {
        std::uint8_t* out = turned.topDownRow(y);
        for (int x = 0; x < turned.width(); ++x) {
            // Where the pixel shown at (x, y) was before the turn.
            int fromX = x;
            int fromY = y;
            if (turns == 1) {
                fromX = y;
                fromY = height - 1 - x;
            } else if (turns == 2) {
                fromX = width - 1 - x;
                fromY = height - 1 - y;
            } else {
                fromX = width - 1 - y;
                fromY = x;
            }
            std::memcpy(out + static_cast<std::size_t>(x) * bpp,
                        frame.topDownRow(fromY) + static_cast<std::size_t>(fromX) * bpp, bpp);
        }
    }
    frame = std::move(turned);
    return true;
}

}  // namespace dz
