#include "formats/WebpFile.h"

#include "formats/LoadedModules.h"
#include "formats/RasterSink.h"
#include "formats/VideoPlaceholder.h"
#include "formats/WebpChunks.h"
#include "formats/WholeFile.h"
#include "formats/WholePath.h"


#include <vector>

namespace dz {

namespace {

// The picture through the video module (FFmpeg's WebP decoder), scaled to
// fit the box (0 x 0: full size); false when the module is missing or the
// picture does not decode.
bool decodeWebpBytes(const std::vector<std::uint8_t>& bytes, int boxWidth, int boxHeight, std::size_t memoryLimit,
                     CRaster& out) {
    std::string problem;
    const DzVideoModule* module = videoModule(problem);
    if (module == nullptr) {
        return false;
    }
    char text[256] = {};
    const RasterSink sink(out, memoryLimit);
    if (module->decodeWebp(bytes.data(), bytes.size(), boxWidth, boxHeight, sink.sink(), text, sizeof text) == 0) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace

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
        // WebP has no grey mode.
        info.isColor = 1;
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
    // Without an embedded thumbnail the film's workers decode the picture, as
    // for HEIC: the scan reads metadata only and never loads FFmpeg. FFmpeg's
    // decoder takes no animation, so a whole animated file shows as a movie
    // without a frame does, not as a picture that failed to load.
    if (layout.animated) {
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
    return decodeWebpBytes(bytes, 0, 0, options.memoryLimit, out);
}

}  // namespace dz
