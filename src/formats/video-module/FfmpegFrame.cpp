#include "formats/video-module/FfmpegFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace dz::video {

namespace {

struct CodecRelease {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketRelease {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerRelease {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

}  // namespace

void FrameRelease::operator()(AVFrame* frame) const {
    av_frame_free(&frame);
}

void silenceFfmpeg() {
    av_log_set_level(AV_LOG_QUIET);
}

std::string ffmpegErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

bool frameIntoSink(const AVFrame& frame, int boxWidth, int boxHeight, const DzPictureSink& sink,
                   std::string& problem) {
    if (frame.width <= 0 || frame.height <= 0) {
        problem = "the frame has no size";
        return false;
    }
    double scale = 1.0;
    if (boxWidth > 0 && boxHeight > 0) {
        scale = std::min({1.0, double(boxWidth) / frame.width, double(boxHeight) / frame.height});
    }
    const int width = std::max(1, static_cast<int>(std::lround(frame.width * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(frame.height * scale)));
    std::unique_ptr<SwsContext, ScalerRelease> scaler(sws_getContext(
        frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), width, height, AV_PIX_FMT_BGR24,
        SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler) {
        problem = "the frame's pixel format cannot be converted";
        return false;
    }
    std::ptrdiff_t stride = 0;
    std::uint8_t* top = sink.rows(sink.owner, width, height, &stride);
    if (top == nullptr || stride > INT32_MAX || stride < -INT32_MAX) {
        problem = "the frame is too large for the memory limit";
        return false;
    }
    std::uint8_t* planes[4] = {top, nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(stride), 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides) != height) {
        problem = "the frame cannot be converted";
        return false;
    }
    return true;
}

FramePointer decodeWebpFrame(const std::uint8_t* data, std::size_t size, std::string& problem) {
    silenceFfmpeg();
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_WEBP);
    std::unique_ptr<AVCodecContext, CodecRelease> context(codec ? avcodec_alloc_context3(codec) : nullptr);
    std::unique_ptr<AVPacket, PacketRelease> packet(av_packet_alloc());
    FramePointer frame(av_frame_alloc());
    if (!context || !packet || !frame || size > static_cast<std::size_t>(INT32_MAX)) {
        problem = "no WebP decoder";
        return nullptr;
    }
    context->thread_count = 1;
    int result = avcodec_open2(context.get(), codec, nullptr);
    // The decoder reads the whole RIFF file as one packet; it only reads it.
    if (result >= 0) {
        packet->data = const_cast<std::uint8_t*>(data);
        packet->size = static_cast<int>(size);
        result = avcodec_send_packet(context.get(), packet.get());
    }
    if (result >= 0) {
        avcodec_send_packet(context.get(), nullptr);
        result = avcodec_receive_frame(context.get(), frame.get());
    }
    if (result < 0) {
        problem = "the WebP picture does not decode: " + ffmpegErrorText(result);
        return nullptr;
    }
    return frame;
}

}  // namespace dz::video
