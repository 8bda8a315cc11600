#include "formats/PictureFacts.h"

#include "formats/Cr3File.h"
#include "formats/HeifFile.h"
#include "formats/PngExif.h"
#include "formats/RafFile.h"
#include "formats/VideoFile.h"
#include "formats/WebpFile.h"
#include "formats/WholeFile.h"

#include <vector>

namespace dz {

namespace {

// Previews may stand anywhere in a raw file, so all of it is read.
FactsOutcome readTiffRaw(ByteSource& file, std::uint64_t size, CExifReader& reader) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(file, size, bytes)) {
        return FactsOutcome::TooLarge;
    }
    return reader.DecodeTiff(bytes.data(), bytes.size()) ? FactsOutcome::Decoded : FactsOutcome::NotDecoded;
}

}  // namespace

FactsOutcome readPictureFacts(PictureKind kind, const std::string& path, ByteSource& file,
                              std::uint64_t size, CExifReader& reader) {
    (void)path;
    switch (kind) {
    case PictureKind::TiffRaw:
        return readTiffRaw(file, size, reader);
    case PictureKind::Heif:
        return readHeifFacts(file, size, reader);
    case PictureKind::Png:
        return readPngFacts(file, size, reader);
    case PictureKind::Raf:
        return readRafFacts(file, reader);
    case PictureKind::Cr3:
        return readCr3Facts(file, reader);
    case PictureKind::Video:
        return readVideoFacts(path, reader);
    case PictureKind::Webp:
        return readWebpFacts(file, size, reader);
    case PictureKind::Jpeg:
    case PictureKind::None:
        break;
    }
    return reader.Decode(file) ? FactsOutcome::Decoded : FactsOutcome::NotDecoded;
}

}  // namespace dz
