#include "formats/Cr3File.h"

#include "formats/IsoBoxes.h"
#include "formats/LargestPreview.h"
#include "formats/WholeFile.h"

#include <cstring>
#include <vector>

namespace dz {

namespace {

// The box in `moov` that holds Canon's metadata, and the top-level box
// that holds the preview.
constexpr std::array<std::uint8_t, 16> kCanonMetadata{0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                                      0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
constexpr std::array<std::uint8_t, 16> kCanonPreview{0xea, 0xf4, 0x2b, 0x5e, 0x1c, 0x98, 0x4b, 0x88,
                                                     0xb9, 0xfb, 0xb7, 0xdc, 0x40, 0x6e, 0x4d, 0x16};
// The preview box's own header ahead of its PRVW box.
constexpr std::size_t kPreviewBoxHeader = 8;
// THMB and PRVW: the JPEG follows 16 bytes of header, its length at 8 or 12.
constexpr std::size_t kJpegAt = 16;
constexpr std::size_t kThumbnailLengthAt = 8;
constexpr std::size_t kPreviewLengthAt = 12;
// Metadata boxes beyond this are no camera's; the picture data is not read.
constexpr std::uint64_t kMaxMetadataBox = std::uint64_t{64} << 20;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

bool isType(const IsoBoxHeader& header, const char (&name)[5]) {
    return std::memcmp(header.type.data(), name, 4) == 0;
}

// The JPEG of a THMB or PRVW box, when its length fits the box.
JpegBytes embeddedJpeg(const IsoBox& box, std::size_t lengthAt) {
    if (box.bodySize < kJpegAt) {
        return {};
    }
    const std::uint32_t length = bigEndian32(box.body + lengthAt);
    if (length > box.bodySize - kJpegAt) {
        return {};
    }
    return {box.body + kJpegAt, length};
}

// The top-level boxes up to the picture data: `moov` and the `uuid` boxes
// kept whole, the others passed over.
struct Cr3Boxes {
    std::vector<std::uint8_t> movie;
    std::vector<std::uint8_t> preview;
    bool cutShort = false;
    bool isCr3 = false;
};

void readTopBoxes(ByteSource& file, Cr3Boxes& boxes) {
    std::vector<std::uint8_t> body;
    for (bool first = true;; first = false) {
        std::uint8_t head[16];
        const std::size_t got = file.read(head, 8);
        if (got == 0 && !first) {
            return;
        }
        IsoBoxHeader header;
        if (got < 8 || (bigEndian32(head) == 1 && file.read(head + 8, 8) != 8) ||
            !readIsoBoxHeader(head, 16, header)) {
            boxes.cutShort = true;
            return;
        }
        if (first) {
            if (!isType(header, "ftyp")) {
                return;
            }
            boxes.isCr3 = true;
        }
        // The picture data comes after the metadata; a box without a size
        // runs to the end of the file, and is no metadata either.
        if (isType(header, "mdat") || header.boxSize == 0) {
            return;
        }
        const std::uint64_t bodySize = header.boxSize - header.headerSize;
        const bool wanted = isType(header, "moov") || isType(header, "uuid");
        if (wanted && bodySize > kMaxMetadataBox) {
            return;
        }
        if (wanted && !readFileBytes(file, bodySize, body)) {
            boxes.cutShort = true;
            return;
        }
        if (!wanted) {
            // Passed over in pieces, so that a large box costs no memory.
            std::uint8_t scratch[16384];
            for (std::uint64_t left = bodySize; left > 0;) {
                const std::size_t want = left < sizeof scratch ? static_cast<std::size_t>(left) : sizeof scratch;
                if (file.read(scratch, want) != want) {
                    boxes.cutShort = true;
                    return;
                }
                left -= want;
            }
            continue;
        }
        if (isType(header, "moov")) {
            boxes.movie = std::move(body);
        } else if (body.size() >= 16 && std::equal(kCanonPreview.begin(), kCanonPreview.end(), body.begin())) {
            boxes.preview = std::move(body);
        }
        body.clear();
    }
}

}  // namespace

FactsOutcome readCr3Facts(ByteSource& file, CExifReader& reader) {
    Cr3Boxes boxes;
    readTopBoxes(file, boxes);
    if (!boxes.isCr3) {
        reader.Fail(boxes.cutShort ? "CR3 file cut short" : "Invalid CR3 file start");
        return FactsOutcome::NotDecoded;
    }

    IsoBox metadata;
    bool found = false;
    for (IsoBoxWalker movie(boxes.movie.data(), boxes.movie.size()); !found && movie.next(metadata);) {
        found = metadata.isUuid(kCanonMetadata);
    }
    if (!found) {
        reader.Fail(boxes.cutShort ? "CR3 file cut short" : "No Canon metadata in CR3 file");
        return FactsOutcome::NotDecoded;
    }

    std::vector<JpegBytes> previews;
    IsoBox box;
    for (IsoBoxWalker parts(metadata); parts.next(box);) {
        if (box.is("CMT1") || box.is("CMT2")) {
            reader.DecodeExifBlock(box.body, box.bodySize);
        } else if (box.is("THMB")) {
            previews.push_back(embeddedJpeg(box, kThumbnailLengthAt));
        }
    }
    if (boxes.preview.size() > 16 + kPreviewBoxHeader) {
        IsoBoxWalker inside(boxes.preview.data() + 16 + kPreviewBoxHeader,
                            boxes.preview.size() - 16 - kPreviewBoxHeader);
        while (inside.next(box)) {
            if (box.is("PRVW")) {
                previews.push_back(embeddedJpeg(box, kPreviewLengthAt));
            }
        }
    }
    keepLargestPreview(previews, reader.info());
    return FactsOutcome::Decoded;
}

}  // namespace dz
