// The entry of dezoredu-video.so: its table of functions over FFmpeg.
#include "formats/VideoModuleAbi.h"
#include "formats/video-module/FfmpegFrame.h"
#include "formats/video-module/OpenedVideo.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

namespace dz::video {

namespace {

// The module's one counter: frames decoded in this process, for tests.
std::atomic<std::uint64_t> decodedFrames{0};

void tell(const std::string& text, char* problem, std::size_t problemSize) {
    if (problem == nullptr || problemSize == 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), problemSize - 1);
    std::memcpy(problem, text.data(), length);
    problem[length] = '\0';
}

// A decoded frame, counted, scaled into the caller's sink; 0 with the
// problem told when it does not fit.
int deliverFrame(const AVFrame& frame, int boxWidth, int boxHeight, const DzPictureSink* sink, char* problem,
                 std::size_t problemSize) {
    decodedFrames.fetch_add(1, std::memory_order_relaxed);
    std::string why;
    if (!frameIntoSink(frame, boxWidth, boxHeight, *sink, why)) {
        tell(why, problem, problemSize);
        return 0;
    }
    return 1;
}

int decodeMovieFrame(const char* path, int boxWidth, int boxHeight, const DzPictureSink* sink, char* problem,
                     std::size_t problemSize) {
    std::string why;
    OpenedVideo video;
    if (!video.open(path, why)) {
        tell(why, problem, problemSize);
        return 0;
    }
    const FramePointer frame = video.decodeFrame(why);
    if (!frame) {
        tell(why, problem, problemSize);
        return 0;
    }
    return deliverFrame(*frame, boxWidth, boxHeight, sink, problem, problemSize);
}

int decodeWebp(const std::uint8_t* data, std::size_t size, int boxWidth, int boxHeight, const DzPictureSink* sink,
               char* problem, std::size_t problemSize) {
    std::string why;
    const FramePointer frame = decodeWebpFrame(data, size, why);
    if (!frame) {
        tell(why, problem, problemSize);
        return 0;
    }
    return deliverFrame(*frame, boxWidth, boxHeight, sink, problem, problemSize);
}

std::uint64_t framesDecoded() {
    return decodedFrames.load(std::memory_order_relaxed);
}

}  // namespace

}  // namespace dz::video

extern "C" __attribute__((visibility("default"))) const DzVideoModule dz_video_module = {
    DZ_VIDEO_MODULE_VERSION,
    dz::video::decodeMovieFrame,
    dz::video::decodeWebp,
    dz::video::framesDecoded,
};
