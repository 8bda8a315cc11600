#pragma once

#include "formats/video-module/FfmpegFrame.h"

#include <string>

struct AVFormatContext;

namespace dz::video {

// A movie opened through libavformat: its container's header and index
// (never its whole media data) and the largest video stream, which its
// picture comes from.
class OpenedVideo {
public:
    OpenedVideo() = default;
    ~OpenedVideo();
    OpenedVideo(const OpenedVideo&) = delete;
    OpenedVideo& operator=(const OpenedVideo&) = delete;

    // False, with `problem` set, when the file is no movie with a video stream.
    bool open(const std::string& path, std::string& problem);

    // The picture that stands for the movie: the key frame at or before one
    // second in, or the first one of a shorter clip. Only that one frame is
    // decoded. Null, with `problem` set, when none decodes.
    FramePointer decodeFrame(std::string& problem);

private:
    AVFormatContext* format_ = nullptr;
    int stream_ = -1;
};

}  // namespace dz::video
