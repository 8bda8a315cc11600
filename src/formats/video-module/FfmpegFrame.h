#pragma once

#include "formats/PictureSink.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct AVFrame;

namespace dz::video {

struct FrameRelease {
    void operator()(AVFrame* frame) const;
};
using FramePointer = std::unique_ptr<AVFrame, FrameRelease>;

// FFmpeg writes its own messages to the terminal unless told not to; the
// program's output stays its own.
void silenceFfmpeg();

// FFmpeg's text for an error code.
std::string ffmpegErrorText(int code);

// The frame scaled to fit boxWidth x boxHeight, proportions kept (0 x 0:
// full size, never scaled up), as 24-bit rows into `sink`. False with
// `problem` set.
bool frameIntoSink(const AVFrame& frame, int boxWidth, int boxHeight, const DzPictureSink& sink,
                   std::string& problem);

// Decodes one whole WebP file (the RIFF bytes, as FFmpeg's decoder takes
// them) into a frame; null with `problem` set when it does not decode.
FramePointer decodeWebpFrame(const std::uint8_t* data, std::size_t size, std::string& problem);

}  // namespace dz::video
