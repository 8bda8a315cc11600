#include "formats/PngExif.h"

#include "formats/MadeThumbnail.h"
#include "formats/PngChunks.h"
#include "formats/WholeFile.h"
#include "image/CRaster.h"

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
    if (chunks.exif == nullptr) {
        return FactsOutcome::Decoded;
    }
    ExifInfo& info = reader.info();
    if (!reader.DecodeExifBlock(chunks.exif, chunks.exifSize)) {
        return FactsOutcome::Decoded;
    }
    info.width = chunks.width;
    info.height = chunks.height;
    // A file without a date is passed over; it is not decoded for nothing.
    if (info.dateTime.empty()) {
        return FactsOutcome::Decoded;
    }
    CRaster picture;
    if (picture.decodeMemory(bytes.data(), bytes.size(), ImageFormat::Png)) {
        keepMadeThumbnail(picture, info);
    }
    return FactsOutcome::Decoded;
}

}  // namespace dz
