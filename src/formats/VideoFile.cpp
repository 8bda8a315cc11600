#include "formats/VideoFile.h"

#include "formats/FrameTurn.h"
#include "formats/QuickTimeUserData.h"
#include "formats/VideoFrame.h"
#include "formats/VideoPlaceholder.h"
#include "formats/VideoTime.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

extern "C" {
#include <libavutil/frame.h>
}

namespace dz {

namespace {

constexpr const char* kZeroDate = "0000:00:00 00:00:00";

// Where phones and cameras put the camera's name, most specific first.
constexpr const char* kMakeKeys[] = {"com.apple.quicktime.make", "com.android.manufacturer", "make"};
constexpr const char* kModelKeys[] = {"com.apple.quicktime.model", "com.android.model", "model"};

class FileBoxSource final : public BoxSource {
public:
    explicit FileBoxSource(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat info {};
        if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && info.st_size > 0) {
            size_ = static_cast<std::uint64_t>(info.st_size);
        }
    }
    ~FileBoxSource() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileBoxSource(const FileBoxSource&) = delete;
    FileBoxSource& operator=(const FileBoxSource&) = delete;

    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        while (count > 0) {
            const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(offset));
            if (got <= 0) {
                return false;
            }
            out += got;
            offset += static_cast<std::uint64_t>(got);
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int fd_;
    std::uint64_t size_ = 0;
};

template <std::size_t N>
std::string firstTag(const OpenedVideo& video, const char* const (&keys)[N], std::size_t limit) {
    for (const char* key : keys) {
        std::string text = video.tag(key);
        if (!text.empty()) {
            text.resize(std::min(text.size(), limit));
            return text;
        }
    }
    return {};
}

}  // namespace

FactsOutcome readVideoFacts(const std::string& path, CExifReader& reader) {
    OpenedVideo video;
    std::string problem;
    if (!video.open(path, problem)) {
        reader.Fail(problem);
        return FactsOutcome::NotDecoded;
    }
    ExifInfo& info = reader.info();
    info.hasExif = true;
    // A phone's own local time first: its pictures' EXIF dates are the time
    // where they were shot, and its movies must sort among them.
    info.dateTime = wallClockShotTime(video.tag("com.apple.quicktime.creationdate"));
    if (info.dateTime.empty()) {
        info.dateTime = localShotTimeOfUtc(video.tag("creation_time"));
    }
    if (info.dateTime.empty()) {
        info.dateTime = kZeroDate;
    }
    info.cameraMake = firstTag(video, kMakeKeys, kCameraMakeChars);
    info.cameraModel = firstTag(video, kModelKeys, kCameraModelChars);
    if (info.cameraMake.empty() || info.cameraModel.empty()) {
        // libavformat leaves some cameras' user data atoms unread.
        FileBoxSource file(path);
        QuickTimeCamera camera = readQuickTimeCamera(file);
        if (info.cameraMake.empty()) {
            info.cameraMake = std::move(camera.make);
        }
        if (info.cameraModel.empty()) {
            info.cameraModel = std::move(camera.model);
        }
    }
    info.width = video.width();
    info.height = video.height();
    const int turns = video.quarterTurns();
    if (const FramePointer frame = video.decodeFrame(problem)) {
        info.thumbnail = thumbnailJpegOf(*frame, turns);
        // Some streams (H.263 in 3GP) state their size only in their frames.
        if (info.width <= 0 || info.height <= 0) {
            info.width = frame->width;
            info.height = frame->height;
        }
    }
    // The size as the movie is shown, as a picture's is.
    if (turns % 2 != 0) {
        std::swap(info.width, info.height);
    }
    if (info.thumbnail.empty()) {
        info.thumbnail = videoPlaceholderJpeg();
    }
    info.thumbnailSize = static_cast<std::uint32_t>(info.thumbnail.size());
    return FactsOutcome::Decoded;
}

bool decodeVideoFile(const std::string& path, const DecodeOptions& options, CRaster& out) {
    out.clear();
    OpenedVideo video;
    std::string problem;
    if (!video.open(path, problem)) {
        return false;
    }
    // A size the header states is checked before decoding; one only the frame
    // states, after.
    const bool sized = video.width() > 0 && video.height() > 0;
    if (sized && !CRaster::fitsLimit(video.width(), video.height(), 24, options.memoryLimit)) {
        return false;
    }
    const FramePointer frame = video.decodeFrame(problem);
    if (!frame || !rasterFromFrame(*frame, frame->width, frame->height, options.memoryLimit, out, problem)) {
        return false;
    }
    // Shown upright, as its thumbnail is.
    if (!turnClockwise(out, video.quarterTurns())) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace dz
