#include "StillSamples.h"

#include "ImageWriters.h"
#include "TempDir.h"

#include <zlib.h>

namespace dz::test {

namespace {

void putBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

std::string pngChunk(const std::string& type, const std::string& data) {
    std::string chunk;
    putBigEndian32(chunk, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    chunk += typed;
    putBigEndian32(chunk, static_cast<std::uint32_t>(
                              crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
    return chunk;
}

std::string box(const std::string& type, const std::string& body) {
    std::string out;
    putBigEndian32(out, static_cast<std::uint32_t>(8 + body.size()));
    return out + type + body;
}

}  // namespace

std::string pngWithExif(int width, int height) {
    const std::vector<std::uint8_t> png = writePng(patternImage(width, height), PngKind::Rgb);
    const std::string jpeg = readTestData("canon-40d.jpg");
    const std::size_t exif = jpeg.find(std::string("Exif\0\0", 6));
    const std::size_t segmentLength = (static_cast<unsigned char>(jpeg[exif - 2]) << 8) |
                                      static_cast<unsigned char>(jpeg[exif - 1]);
    const std::string block = jpeg.substr(exif + 6, segmentLength - 8);
    std::string out(png.begin(), png.end());
    // Signature (8) and IHDR (25) first.
    out.insert(33, pngChunk("eXIf", block));
    return out;
}

std::string cr3WithPreview(const std::vector<std::uint8_t>& jpeg) {
    const std::string raw = readTestData("CanonRaw.cr3");
    // ftyp and moov as they are (24 + 10980 bytes), then the preview box.
    std::string out = raw.substr(0, 11004);
    std::string preview;
    putBigEndian32(preview, 0);
    // 1, the width and height of a 240 x 160 preview, 1, as Canon writes them.
    preview += std::string("\x00\x01\x00\xf0\x00\xa0\x00\x01", 8);
    putBigEndian32(preview, static_cast<std::uint32_t>(jpeg.size()));
    preview.append(jpeg.begin(), jpeg.end());
    const std::string uuid("\xea\xf4\x2b\x5e\x1c\x98\x4b\x88\xb9\xfb\xb7\xdc\x40\x6e\x4d\x16", 16);
    out += box("uuid", uuid + std::string("\0\0\0\0\0\0\0\1", 8) + box("PRVW", preview));
    return out;
}

}  // namespace dz::test
