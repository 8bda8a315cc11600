#include "formats/WebpFile.h"

#include "formats/FfmpegFrame.h"
#include "formats/VideoPlaceholder.h"
#include "formats/WebpChunks.h"
#include "formats/WholeFile.h"
#include "formats/WholePath.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <vector>

namespace dz {

FactsOutcome readWebpFacts(ByteSource& file, std::uint64_t size, CExifReader& reader) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(file, size, bytes)) {
        return FactsOutcome::TooLarge;
    }
    WebpLayout layout;
    std::string problem;
    if (!readWebpLayout(bytes.data(), bytes.size(), layout, problem)) {
        reader.Fail(problem);
        return FactsOutcome::NotDecoded;
    }
    if (layout.exifSize == 0) {
        if (!problem.empty()) {
            reader.Fail(problem);
        }
        return FactsOutcome::Decoded;
    }
    ExifInfo& info = reader.info();
    if (!reader.DecodeExifBlock(bytes.data() + layout.exifOffset, layout.exifSize)) {
        return FactsOutcome::Decoded;
    }
    // The picture's own size, not what the EXIF block claims of it.
    if (layout.width > 0 && layout.height > 0) {
        info.width = layout.width;
        info.height = layout.height;
    }
    CRaster embedded;
    const std::size_t embeddedSize = std::min<std::size_t>(info.thumbnailSize, info.thumbnail.size());
    if (embeddedSize > 0 && embedded.decodeMemory(info.thumbnail.data(), embeddedSize, ImageFormat::Detect)) {
        return FactsOutcome::Decoded;
    }
    info.thumbnail.clear();
    info.thumbnailSize = 0;
    // Only a picture within the decoder's memory bound is decoded for its thumbnail.
    if (!CRaster::fitsLimit(layout.width, layout.height, 24, DecodeOptions::kDefaultMemoryLimit)) {
        return FactsOutcome::Decoded;
    }
    if (const FramePointer frame = decodeWebpFrame(bytes.data(), bytes.size(), problem)) {
        info.thumbnail = thumbnailJpegOf(*frame);
    } else if (layout.animated) {
        // FFmpeg's decoder takes no animation; a whole animated file shows as
        // a movie without a frame does, not as a picture that failed to load.
        info.thumbnail = videoPlaceholderJpeg();
    }
    info.thumbnailSize = static_cast<std::uint32_t>(info.thumbnail.size());
    return FactsOutcome::Decoded;
}

bool decodeWebpFile(const std::string& path, const DecodeOptions& options, CRaster& out) {
    out.clear();
    std::vector<std::uint8_t> bytes;
    if (!readWholePath(path, bytes)) {
        return false;
    }
    WebpLayout layout;
    std::string problem;
    if (!readWebpLayout(bytes.data(), bytes.size(), layout, problem) ||
        !CRaster::fitsLimit(layout.width, layout.height, 24, options.memoryLimit)) {
        return false;
    }
    const FramePointer frame = decodeWebpFrame(bytes.data(), bytes.size(), problem);
    return frame && rasterFromFrame(*frame, frame->width, frame->height, options.memoryLimit, out, problem);
}

}  // namespace dz
