#pragma once

#include <cstddef>

namespace dz {

// The reason a refused picture leaves in lastError().
inline constexpr const char* kMemoryLimitText = "image memory limit exceeded";

// How a decode may size its result.
struct DecodeOptions {
    // Pixel bytes a decoded picture may take (the rows as stored, padding
    // included); larger pictures are refused before any pixel is allocated.
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{256} << 20;

    // The size the caller will resample to; 0 x 0 asks for the full picture.
    // JPEG decodes at the smallest of its 1/8 .. 8/8 scales that leaves at
    // least twice this size in both directions, so a thumbnail never pays for
    // a full-size decode; a video's frame is scaled to fit this size on the
    // way out of its decoder; other formats always decode at full size.
    int wantedWidth = 0;
    int wantedHeight = 0;
    std::size_t memoryLimit = kDefaultMemoryLimit;
};

}  // namespace dz
