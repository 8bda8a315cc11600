#include "formats/PngChunks.h"

#include <cstring>

namespace dz {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length, type and CRC around each chunk's data.
constexpr std::size_t kChunkFrame = 12;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr std::size_t kHeaderDataSize = 13;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

bool readPngChunks(const std::uint8_t* data, std::size_t size, PngChunks& chunks, std::string& error) {
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) {
        error = "Invalid PNG signature";
        return false;
    }
    for (std::size_t at = sizeof kSignature;;) {
        if (size - at < kChunkFrame) {
            error = "PNG file cut short";
            return false;
        }
        const std::uint32_t length = bigEndian32(data + at);
        if (length > kMaxChunkLength || length > size - at - kChunkFrame) {
            error = length > kMaxChunkLength ? "Invalid PNG chunk length" : "PNG file cut short";
            return false;
        }
        const std::uint8_t* type = data + at + 4;
        const std::uint8_t* body = data + at + 8;
        if (std::memcmp(type, "IHDR", 4) == 0 && length >= kHeaderDataSize) {
            chunks.width = static_cast<std::int32_t>(bigEndian32(body) & kMaxChunkLength);
            chunks.height = static_cast<std::int32_t>(bigEndian32(body + 4) & kMaxChunkLength);
            chunks.isColor = body[9] != 0 && body[9] != 4;
        } else if (std::memcmp(type, "eXIf", 4) == 0 && chunks.exif == nullptr) {
            chunks.exif = body;
            chunks.exifSize = length;
            // Some writers keep the JPEG segment's "Exif" header in the chunk.
            if (length >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0) {
                chunks.exif += 6;
                chunks.exifSize -= 6;
            }
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            return true;
        }
        at += kChunkFrame + length;
    }
}

}  // namespace dz
