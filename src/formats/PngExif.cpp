#include "formats/PngExif.h"

#include "formats/PngChunks.h"
#include "formats/WholeFile.h"

#include <string>
#include <vector>

namespace dz {

FactsOutcome readPngFacts(ByteSource& file, std::uint64_t size, CExifReader& reader) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(file, size, bytes)) {
        return FactsOutcome::TooLarge;
    }
    PngChunks chunks;
    std::string error;
    if (!readPngChunks(bytes.data(), bytes.size(), chunks, error)) {
        reader.Fail(error);
        return FactsOutcome::NotDecoded;
    }
    if (chunks.exif != nullptr) {
        reader.DecodeExifBlock(chunks.exif, chunks.exifSize);
    }
    // The picture's own size and colour, with EXIF or without (a screenshot).
    ExifInfo& info = reader.info();
    info.width = chunks.width;
    info.height = chunks.height;
    info.isColor = chunks.isColor ? 1 : 0;
    // No thumbnail here: the film makes it from the picture on its workers
    // and keeps it in the thumbnail cache, so the scan never decodes pixels.
    return FactsOutcome::Decoded;
}

}  // namespace dz
