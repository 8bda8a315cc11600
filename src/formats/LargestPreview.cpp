#include "formats/LargestPreview.h"

#include "exif/CExifReader.h"
#include "platform/ByteSource.h"

#include <new>

namespace dz {

namespace {

// Baseline, extended and progressive frames; a lossless one is sensor data.
bool isPictureFrame(int marker) {
    return marker == 0xC0 || marker == 0xC1 || marker == 0xC2;
}

}  // namespace

bool keepLargestPreview(const std::vector<JpegBytes>& candidates, ExifInfo& info) {
    const JpegBytes* best = nullptr;
    ExifInfo bestFrame;
    for (const JpegBytes& candidate : candidates) {
        if (candidate.data == nullptr || candidate.size < 2) {
            continue;
        }
        ExifInfo frame;
        CExifReader check(frame);
        MemorySource source(candidate.data, candidate.size);
        if (!check.Decode(source) || frame.width <= 0 || frame.height <= 0 ||
            !isPictureFrame(frame.encodingMarker)) {
            continue;
        }
        const auto pixels = [](const ExifInfo& f) { return std::int64_t{f.width} * f.height; };
        if (best == nullptr || pixels(frame) > pixels(bestFrame)) {
            best = &candidate;
            bestFrame = frame;
        }
    }
    if (best == nullptr) {
        return false;
    }
    std::vector<std::uint8_t> copy;
    try {
        copy.assign(best->data, best->data + best->size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    info.thumbnail = std::move(copy);
    info.thumbnailSize = static_cast<std::uint32_t>(info.thumbnail.size());
    info.width = bestFrame.width;
    info.height = bestFrame.height;
    info.isColor = bestFrame.isColor;
    info.encodingMarker = bestFrame.encodingMarker;
    return true;
}

}  // namespace dz
