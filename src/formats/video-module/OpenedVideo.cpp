#include "formats/video-module/OpenedVideo.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <memory>

namespace dz::video {

namespace {

// Packets and bytes read while looking for the key frame before the movie is
// given up, so a file without one is not read to its end.
constexpr int kMaxPackets = 1000;
constexpr std::int64_t kMaxBytesRead = std::int64_t{64} << 20;

struct CodecRelease {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketRelease {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

}  // namespace

OpenedVideo::~OpenedVideo() {
    avformat_close_input(&format_);
}

bool OpenedVideo::open(const std::string& path, std::string& problem) {
    silenceFfmpeg();
    avformat_close_input(&format_);
    stream_ = -1;
    // Every kind taken is an ISO base media or QuickTime file: no other demuxer
    // is let guess at the bytes. The stream parameters come from the header;
    // probing the streams further would decode frames.
    const int result = avformat_open_input(&format_, path.c_str(), av_find_input_format("mov"), nullptr);
    if (result < 0) {
        problem = "not a readable video: " + ffmpegErrorText(result);
        return false;
    }
    long long largest = -1;
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        const AVStream* stream = format_->streams[i];
        // A cover picture is no frame of the movie.
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO ||
            (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0) {
            continue;
        }
        const long long area = static_cast<long long>(stream->codecpar->width) * stream->codecpar->height;
        if (area > largest) {
            largest = area;
            stream_ = static_cast<int>(i);
        }
    }
    if (stream_ < 0) {
        problem = "no video stream";
        return false;
    }
    return true;
}

FramePointer OpenedVideo::decodeFrame(std::string& problem) {
    if (stream_ < 0) {
        problem = "no video stream";
        return nullptr;
    }
    AVStream* stream = format_->streams[stream_];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    std::unique_ptr<AVCodecContext, CodecRelease> context(codec ? avcodec_alloc_context3(codec) : nullptr);
    std::unique_ptr<AVPacket, PacketRelease> packet(av_packet_alloc());
    FramePointer frame(av_frame_alloc());
    if (!context || !packet || !frame || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0) {
        problem = "no decoder for the video";
        return nullptr;
    }
    // One thread, so the frame comes out of the decoder as soon as it is decoded.
    context->thread_count = 1;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) {
        problem = "no decoder for the video";
        return nullptr;
    }
    if (format_->duration > AV_TIME_BASE) {
        const std::int64_t oneSecond = av_rescale_q(AV_TIME_BASE, AV_TIME_BASE_Q, stream->time_base);
        const std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
        // A failed seek leaves the reading at the start, which serves as well.
        av_seek_frame(format_, stream_, start + oneSecond, AVSEEK_FLAG_BACKWARD);
    }
    const std::int64_t firstByte = avio_tell(format_->pb);
    for (int packets = 0; packets < kMaxPackets && avio_tell(format_->pb) - firstByte < kMaxBytesRead; ++packets) {
        if (av_read_frame(format_, packet.get()) < 0) {
            break;
        }
        const bool key = packet->stream_index == stream_ && (packet->flags & AV_PKT_FLAG_KEY) != 0;
        if (!key) {
            av_packet_unref(packet.get());
            continue;
        }
        // That key frame alone, then drained: the one frame decoded.
        int result = avcodec_send_packet(context.get(), packet.get());
        av_packet_unref(packet.get());
        if (result >= 0) {
            avcodec_send_packet(context.get(), nullptr);
            result = avcodec_receive_frame(context.get(), frame.get());
        }
        if (result < 0) {
            problem = "the video's frame does not decode: " + ffmpegErrorText(result);
            return nullptr;
        }
        return frame;
    }
    problem = "no key frame in the video";
    return nullptr;
}

}  // namespace dz::video
