#pragma once

#include "formats/FfmpegFrame.h"

#include <string>

struct AVFormatContext;

namespace dz {

// A movie opened through libavformat: its container's header and index
// (never its whole media data) and the video stream its picture comes from.
class OpenedVideo {
public:
    OpenedVideo() = default;
    ~OpenedVideo();
    OpenedVideo(const OpenedVideo&) = delete;
    OpenedVideo& operator=(const OpenedVideo&) = delete;

    // False, with `problem` set, when the file is no movie with a video stream.
    bool open(const std::string& path, std::string& problem);

    // A metadata text of the container, else of the video stream; empty when absent.
    std::string tag(const char* key) const;
    int width() const;
    int height() const;
    // Clockwise quarter turns that show the stream upright, from its display
    // matrix: phones keep the sensor's landscape frames and turn them there.
    int quarterTurns() const;

    // The picture that stands for the movie: the key frame at or before one
    // second in, or the first one of a shorter clip. Only that one frame is
    // decoded. Null, with `problem` set, when none decodes.
    FramePointer decodeFrame(std::string& problem);

private:
    AVFormatContext* format_ = nullptr;
    int stream_ = -1;
};

}  // namespace dz
