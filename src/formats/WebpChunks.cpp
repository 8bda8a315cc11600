#include "formats/WebpChunks.h"

#include <cstring>

namespace dz {

namespace {

constexpr std::size_t kChunkHeader = 8;  // four-character code, little-endian length
constexpr std::uint8_t kExifFlag = 0x08;       // VP8X: the file has an EXIF chunk
constexpr std::uint8_t kAnimationFlag = 0x02;  // VP8X: its frames are an animation

std::uint32_t le24(const std::uint8_t* p) {
    return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}

std::uint32_t le32(const std::uint8_t* p) {
    return le24(p) | (std::uint32_t{p[3]} << 24);
}

bool isCode(const std::uint8_t* p, const char* code) {
    return std::memcmp(p, code, 4) == 0;
}

// The size in the key frame header of a lossy bitstream.
void readVp8Size(const std::uint8_t* p, std::size_t size, WebpLayout& layout) {
    // Frame tag (3), start code 9D 01 2A, then 14-bit width and height.
    if (size < 10 || p[3] != 0x9D || p[4] != 0x01 || p[5] != 0x2A) {
        return;
    }
    layout.width = (p[6] | (p[7] << 8)) & 0x3FFF;
    layout.height = (p[8] | (p[9] << 8)) & 0x3FFF;
}

// The size in the header of a lossless bitstream: signature 0x2F, then
// width - 1 and height - 1 in 14 bits each.
void readVp8lSize(const std::uint8_t* p, std::size_t size, WebpLayout& layout) {
    if (size < 5 || p[0] != 0x2F) {
        return;
    }
    const std::uint32_t bits = le32(p + 1);
    layout.width = static_cast<int>(bits & 0x3FFF) + 1;
    layout.height = static_cast<int>((bits >> 14) & 0x3FFF) + 1;
}

void keepExif(const std::uint8_t* data, std::size_t offset, std::size_t size, WebpLayout& layout) {
    static constexpr std::uint8_t kHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    // Some writers put the JPEG segment's header in front of the TIFF block.
    if (size >= 6 && std::memcmp(data + offset, kHeader, 6) == 0) {
        offset += 6;
        size -= 6;
    }
    layout.exifOffset = offset;
    layout.exifSize = size;
}

}  // namespace

bool readWebpLayout(const std::uint8_t* data, std::size_t size, WebpLayout& layout, std::string& problem) {
    layout = WebpLayout{};
    if (size < 12 || !isCode(data, "RIFF") || !isCode(data + 8, "WEBP")) {
        problem = "not a WebP file";
        return false;
    }
    const std::uint64_t riffEnd = std::uint64_t{le32(data + 4)} + 8;
    if (riffEnd > size) {
        problem = "WebP file cut short";
        return false;
    }
    bool exifFlagged = false;
    bool sizeFromCanvas = false;
    std::size_t pos = 12;
    while (pos + kChunkHeader <= riffEnd) {
        const std::uint8_t* header = data + pos;
        const std::uint64_t length = le32(header + 4);
        const std::size_t payload = pos + kChunkHeader;
        if (length > riffEnd - payload) {
            problem = "WebP chunk runs past the end of the file";
            return false;
        }
        const std::size_t n = static_cast<std::size_t>(length);
        if (isCode(header, "VP8X") && n >= 10) {
            exifFlagged = (data[payload] & kExifFlag) != 0;
            layout.animated = (data[payload] & kAnimationFlag) != 0;
            layout.width = static_cast<int>(le24(data + payload + 4)) + 1;
            layout.height = static_cast<int>(le24(data + payload + 7)) + 1;
            sizeFromCanvas = true;
        } else if (isCode(header, "VP8 ") && !sizeFromCanvas) {
            readVp8Size(data + payload, n, layout);
        } else if (isCode(header, "VP8L") && !sizeFromCanvas) {
            readVp8lSize(data + payload, n, layout);
        } else if (isCode(header, "EXIF") && layout.exifSize == 0) {
            keepExif(data, payload, n, layout);
        }
        // Chunks are padded to an even length.
        pos = payload + n + (n & 1);
    }
    if (exifFlagged && layout.exifSize == 0) {
        problem = "WebP file announces an EXIF chunk it does not hold";
    }
    return true;
}

}  // namespace dz
