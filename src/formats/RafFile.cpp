#include "formats/RafFile.h"

#include "formats/LargestPreview.h"
#include "formats/WholeFile.h"

#include <cstring>
#include <vector>

namespace dz {

namespace {

constexpr char kMagic[] = "FUJIFILMCCD-RAW ";
constexpr std::size_t kMagicSize = 16;
// The embedded JPEG's offset and length, big-endian, from the file's start.
constexpr std::size_t kJpegOffsetAt = 84;
constexpr std::size_t kJpegLengthAt = 88;
constexpr std::size_t kHeaderSize = 92;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Reads and forgets `count` bytes; false when the file ends first.
bool skip(ByteSource& file, std::uint64_t count) {
    std::uint8_t scratch[16384];
    while (count > 0) {
        const std::size_t want = count < sizeof scratch ? static_cast<std::size_t>(count) : sizeof scratch;
        if (file.read(scratch, want) != want) {
            return false;
        }
        count -= want;
    }
    return true;
}

}  // namespace

FactsOutcome readRafFacts(ByteSource& file, CExifReader& reader) {
    std::uint8_t header[kHeaderSize];
    const std::size_t got = file.read(header, kHeaderSize);
    if (got < kMagicSize || std::memcmp(header, kMagic, kMagicSize) != 0) {
        reader.Fail("Invalid RAF header");
        return FactsOutcome::NotDecoded;
    }
    if (got < kHeaderSize) {
        reader.Fail("RAF file cut short");
        return FactsOutcome::NotDecoded;
    }
    const std::uint32_t offset = bigEndian32(header + kJpegOffsetAt);
    const std::uint32_t length = bigEndian32(header + kJpegLengthAt);
    if (offset < kHeaderSize || length < 4) {
        reader.Fail("Invalid RAF JPEG position");
        return FactsOutcome::NotDecoded;
    }
    if (length > kMaxWholeFileBytes) {
        return FactsOutcome::TooLarge;
    }
    std::vector<std::uint8_t> jpeg;
    if (!skip(file, offset - kHeaderSize) || !readFileBytes(file, length, jpeg)) {
        reader.Fail("RAF file cut short");
        return FactsOutcome::NotDecoded;
    }

    MemorySource source(jpeg.data(), jpeg.size());
    if (!reader.Decode(source)) {
        reader.Fail("No readable JPEG in RAF file");
        return FactsOutcome::NotDecoded;
    }
    ExifInfo& info = reader.info();
    const std::vector<std::uint8_t> exifThumbnail = std::move(info.thumbnail);
    info.thumbnail.clear();
    info.thumbnailSize = 0;
    keepLargestPreview({{jpeg.data(), jpeg.size()}, {exifThumbnail.data(), exifThumbnail.size()}}, info);
    return FactsOutcome::Decoded;
}

}  // namespace dz
