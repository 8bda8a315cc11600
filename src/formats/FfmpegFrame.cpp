#include "formats/FfmpegFrame.h"

#include "formats/FrameTurn.h"
#include "image/JpegWriter.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace dz {

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

bool rasterFromFrame(const AVFrame& frame, int width, int height, std::size_t memoryLimit, CRaster& out,
                     std::string& problem) {
    if (frame.width <= 0 || frame.height <= 0 || width <= 0 || height <= 0) {
        problem = "the frame has no size";
        return false;
    }
    if (!CRaster::fitsLimit(width, height, 24, memoryLimit)) {
        problem = kMemoryLimitText;
        return false;
    }
    std::unique_ptr<SwsContext, ScalerRelease> scaler(sws_getContext(
        frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), width, height, AV_PIX_FMT_BGR24,
        SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler || !out.createBlank(width, height, 24, memoryLimit)) {
        problem = scaler ? out.lastError() : "the frame's pixel format cannot be converted";
        return false;
    }
    // The raster keeps its rows bottom-up: start at the top row and step back.
    std::uint8_t* planes[4] = {out.topDownRow(0), nullptr, nullptr, nullptr};
    const int strides[4] = {-static_cast<int>(out.stride()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides) != height) {
        problem = "the frame cannot be converted";
        out.clear();
        return false;
    }
    return true;
}

std::vector<std::uint8_t> thumbnailJpegOf(const AVFrame& frame, int quarterTurns) {
    if (frame.width <= 0 || frame.height <= 0) {
        return {};
    }
    // The box is fitted by the frame as it will be shown.
    const bool across = quarterTurns % 2 != 0;
    const int shownWidth = across ? frame.height : frame.width;
    const int shownHeight = across ? frame.width : frame.height;
    const double scale = std::min({1.0, double(kThumbnailBoxWidth) / shownWidth,
                                   double(kThumbnailBoxHeight) / shownHeight});
    const int width = std::max(1, static_cast<int>(std::lround(frame.width * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(frame.height * scale)));
    CRaster small;
    std::string problem;
    if (!rasterFromFrame(frame, width, height, DecodeOptions::kDefaultMemoryLimit, small, problem) ||
        !turnClockwise(small, quarterTurns)) {
        return {};
    }
    return encodeJpeg(small, kThumbnailQuality);
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

}  // namespace dz
