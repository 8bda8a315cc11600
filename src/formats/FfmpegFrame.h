#pragma once

#include "image/CRaster.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AVFrame;

namespace dz {

// Box the program's own thumbnails are made to fit, as the film shows them.
inline constexpr int kThumbnailBoxWidth = 160;
inline constexpr int kThumbnailBoxHeight = 120;
inline constexpr int kThumbnailQuality = 85;

struct FrameRelease {
    void operator()(AVFrame* frame) const;
};
using FramePointer = std::unique_ptr<AVFrame, FrameRelease>;

// FFmpeg writes its own messages to the terminal unless told not to; the
// program's output stays its own.
void silenceFfmpeg();

// The frame as a 24-bit picture of width x height (scaled as needed);
// refused when that passes `memoryLimit`. False with `problem` set.
bool rasterFromFrame(const AVFrame& frame, int width, int height, std::size_t memoryLimit, CRaster& out,
                     std::string& problem);

// The frame turned clockwise by `quarterTurns` and scaled to fit the
// thumbnail box, aspect kept, as JPEG bytes; empty when it cannot be made.
std::vector<std::uint8_t> thumbnailJpegOf(const AVFrame& frame, int quarterTurns = 0);

// Decodes one whole WebP file (the RIFF bytes, as FFmpeg's decoder takes
// them) into a frame; null with `problem` set when it does not decode.
FramePointer decodeWebpFrame(const std::uint8_t* data, std::size_t size, std::string& problem);

// FFmpeg's text for an error code.
std::string ffmpegErrorText(int code);

}  // namespace dz
