#include "image/BmpCodec.h"

#include <array>
#include <cstring>
#include <limits>
#include <optional>

namespace dz {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

// Little-endian reads over the file's bytes; a read outside them yields nothing.
class BmpReader {
public:
    explicit BmpReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool contains(std::uint64_t offset, std::uint64_t n) const {
        return bytes_.size() >= n && offset <= bytes_.size() - n;
    }
    std::optional<std::uint16_t> u16(std::uint64_t offset) const {
        if (!contains(offset, 2)) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const {
        if (!contains(offset, 4)) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(bytes_[offset]) | (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::optional<std::int32_t> i32(std::uint64_t offset) const {
        const auto v = u32(offset);
        if (!v) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(*v);
    }
    const std::uint8_t* at(std::uint64_t offset) const { return bytes_.data() + offset; }

private:
    std::span<const std::uint8_t> bytes_;
};

struct BmpHeader {
    std::uint64_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

bool readHeader(const BmpReader& in, BmpHeader& h, std::string& error) {
    const auto magic = in.u16(0);
    const auto dataOffset = in.u32(10);
    const auto headerSize = in.u32(14);
    if (!magic || *magic != 0x4D42 || !dataOffset || !headerSize) {
        error = "not a BMP file";
        return false;
    }
    h.dataOffset = *dataOffset;
    h.headerSize = *headerSize;
    if (h.headerSize == kCoreHeaderSize) {
        const auto w = in.u16(18), ht = in.u16(20), planes = in.u16(22), bits = in.u16(24);
        if (!w || !ht || !planes || !bits || *planes != 1) {
            error = "damaged BMP header";
            return false;
        }
        h.width = *w;
        h.height = *ht;
        h.bitCount = *bits;
        return true;
    }
    if (h.headerSize < kInfoHeaderSize) {
        error = "unsupported BMP header";
        return false;
    }
    const auto w = in.i32(18), ht = in.i32(22);
    const auto planes = in.u16(26), bits = in.u16(28);
    const auto compression = in.u32(30), colorsUsed = in.u32(46);
    if (!w || !ht || !planes || !bits || !compression || !colorsUsed || *planes != 1) {
        error = "damaged BMP header";
        return false;
    }
    h.width = *w;
    h.height = *ht;
    h.bitCount = *bits;
    h.compression = *compression;
    h.colorsUsed = *colorsUsed;
    return true;
}

// Palette entries as blue, green, red; unused entries stay black.
bool readPalette(const BmpReader& in, const BmpHeader& h, std::array<std::uint8_t, 3 * 256>& palette,
                 std::string& error) {
    const std::uint32_t maxColours = 1u << h.bitCount;
    const std::uint32_t count = h.colorsUsed == 0 ? maxColours : h.colorsUsed;
    if (count > maxColours) {
        error = "BMP palette too large";
        return false;
    }
    const std::uint64_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    const std::uint64_t start = kFileHeaderSize + h.headerSize;
    if (!in.contains(start, entrySize * count)) {
        error = "BMP palette outside the file";
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::memcpy(&palette[3 * i], in.at(start + entrySize * i), 3);
    }
    return true;
}

}  // namespace

bool decodeBmp(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
               std::string& error) {
    const BmpReader in(bytes);
    BmpHeader h;
    if (!readHeader(in, h, error)) {
        return false;
    }
    const bool topDown = h.height < 0;
    const std::int64_t rows = topDown ? -h.height : h.height;
    if (h.width < 1 || rows < 1 || h.width > CRaster::kMaxDimension || rows > CRaster::kMaxDimension) {
        error = "invalid BMP picture size";
        return false;
    }
    const std::uint32_t bits = h.bitCount;
    if (h.compression != kUncompressed || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        error = "unsupported BMP pixel format";
        return false;
    }
    const int width = static_cast<int>(h.width);
    const int height = static_cast<int>(rows);
    if (!CRaster::fitsLimit(width, height, 24, options.memoryLimit)) {
        error = kMemoryLimitText;
        return false;
    }
    std::array<std::uint8_t, 3 * 256> palette{};
    if (bits <= 8 && !readPalette(in, h, palette, error)) {
        return false;
    }
    // Rows of the file are padded to 4 bytes; the last row may lack its padding.
    const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * bits;
    const std::uint64_t fileStride = (rowBits + 31) / 32 * 4;
    const std::uint64_t rowBytes = (rowBits + 7) / 8;
    const std::uint64_t span = fileStride * static_cast<std::uint64_t>(height - 1) + rowBytes;
    if (h.dataOffset < kFileHeaderSize || !in.contains(h.dataOffset, span)) {
        error = "BMP pixel data outside the file";
        return false;
    }
    CRaster image;
    if (!image.createBlank(width, height, 24, options.memoryLimit)) {
        error = image.lastError();
        return false;
    }
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const std::uint8_t* src = in.at(h.dataOffset + fileStride * static_cast<std::uint64_t>(fileRow));
        std::uint8_t* dst = topDown ? image.topDownRow(fileRow) : image.pixelRow(fileRow);
        for (int x = 0; x < width; ++x) {
            std::uint8_t* d = dst + 3 * static_cast<std::size_t>(x);
            if (bits == 24 || bits == 32) {
                std::memcpy(d, src + static_cast<std::size_t>(x) * (bits / 8), 3);
                continue;
            }
            const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
            const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
            const unsigned index = (src[bit / 8] >> shift) & ((1u << bits) - 1);
            std::memcpy(d, &palette[3 * index], 3);
        }
    }
    out = std::move(image);
    return true;
}

namespace {

void putU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const CRaster& image) {
    if (!image.isValid()) {
        return {};
    }
    const std::uint64_t stride = CRaster::rowStride(image.width(), 24);
    const std::uint64_t imageBytes = stride * static_cast<std::uint64_t>(image.height());
    const std::uint64_t fileBytes = kFileHeaderSize + kInfoHeaderSize + imageBytes;
    if (fileBytes > std::numeric_limits<std::uint32_t>::max()) {
        return {};
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileBytes));
    out.push_back('B');
    out.push_back('M');
    putU32(out, static_cast<std::uint32_t>(fileBytes));
    putU32(out, 0);  // reserved
    putU32(out, kFileHeaderSize + kInfoHeaderSize);
    putU32(out, kInfoHeaderSize);
    putU32(out, static_cast<std::uint32_t>(image.width()));
    putU32(out, static_cast<std::uint32_t>(image.height()));  // positive: bottom-up
    putU16(out, 1);                                           // planes
    putU16(out, 24);
    putU32(out, kUncompressed);
    putU32(out, static_cast<std::uint32_t>(imageBytes));
    putU32(out, 2835);  // 72 dots per inch, in dots per metre
    putU32(out, 2835);
    putU32(out, 0);  // colours used
    putU32(out, 0);  // important colours
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3;
    for (int row = 0; row < image.height(); ++row) {
        const std::uint8_t* src = image.pixelRow(row);
        if (image.bitsPerPixel() == 24) {
            out.insert(out.end(), src, src + rowBytes);
        } else {
            for (int x = 0; x < image.width(); ++x) {
                out.insert(out.end(), 3, src[x]);
            }
        }
        out.insert(out.end(), static_cast<std::size_t>(stride) - rowBytes, 0);
    }
    return out;
}

}  // namespace dz
