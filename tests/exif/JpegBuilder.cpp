#include "JpegBuilder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace dz::test {

namespace {

std::size_t formatSize(std::uint16_t format) {
    static constexpr std::size_t kSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    return format < 13 ? kSizes[format] : 1;
}

void put(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void patch(Bytes& out, std::size_t at, const Bytes& value) {
    std::copy(value.begin(), value.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
}

Bytes littleEndian(std::uint64_t v, int n) {
    Bytes out;
    for (int i = 0; i < n; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    return out;
}

}  // namespace

TiffBuilder::TiffBuilder(bool bigEndian) : bigEndian_(bigEndian) { dirs_.emplace_back(); }

int TiffBuilder::addDirectory() {
    dirs_.emplace_back();
    return static_cast<int>(dirs_.size()) - 1;
}

Bytes TiffBuilder::u16(std::uint16_t v) const {
    if (bigEndian_) {
        return {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    }
    return littleEndian(v, 2);
}

Bytes TiffBuilder::u32(std::uint32_t v) const {
    if (bigEndian_) {
        return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    }
    return littleEndian(v, 4);
}

void TiffBuilder::addEntry(int dir, std::uint16_t tag, std::uint16_t format,
                           std::uint32_t components, const Bytes& value) {
    Entry e;
    e.tag = tag;
    e.format = format;
    e.components = components;
    e.value = value;
    dirs_.at(dir).entries.push_back(e);
}

void TiffBuilder::addEntryWithOffset(int dir, std::uint16_t tag, std::uint16_t format,
                                     std::uint32_t components, std::uint32_t offset) {
    Entry e;
    e.tag = tag;
    e.format = format;
    e.components = components;
    e.rawOffset = offset;
    dirs_.at(dir).entries.push_back(e);
}

void TiffBuilder::addByte(int dir, std::uint16_t tag, std::uint8_t value) {
    addEntry(dir, tag, 1, 1, {value});
}
void TiffBuilder::addShort(int dir, std::uint16_t tag, std::uint16_t value) {
    addEntry(dir, tag, 3, 1, u16(value));
}
void TiffBuilder::addLong(int dir, std::uint16_t tag, std::uint32_t value) {
    addEntry(dir, tag, 4, 1, u32(value));
}
void TiffBuilder::addSShort(int dir, std::uint16_t tag, std::int16_t value) {
    addEntry(dir, tag, 8, 1, u16(static_cast<std::uint16_t>(value)));
}
void TiffBuilder::addSLong(int dir, std::uint16_t tag, std::int32_t value) {
    addEntry(dir, tag, 9, 1, u32(static_cast<std::uint32_t>(value)));
}
void TiffBuilder::addRational(int dir, std::uint16_t tag, std::uint32_t numerator,
                              std::uint32_t denominator) {
    Bytes v = u32(numerator);
    put(v, u32(denominator));
    addEntry(dir, tag, 5, 1, v);
}
void TiffBuilder::addSRational(int dir, std::uint16_t tag, std::int32_t numerator,
                               std::int32_t denominator) {
    Bytes v = u32(static_cast<std::uint32_t>(numerator));
    put(v, u32(static_cast<std::uint32_t>(denominator)));
    addEntry(dir, tag, 10, 1, v);
}
void TiffBuilder::addFloat(int dir, std::uint16_t tag, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    addEntry(dir, tag, 11, 1, littleEndian(bits, 4));
}
void TiffBuilder::addDouble(int dir, std::uint16_t tag, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, 8);
    addEntry(dir, tag, 12, 1, littleEndian(bits, 8));
}
void TiffBuilder::addAscii(int dir, std::uint16_t tag, const std::string& text) {
    Bytes v(text.begin(), text.end());
    v.push_back(0);
    addEntry(dir, tag, 2, static_cast<std::uint32_t>(v.size()), v);
}
void TiffBuilder::addUndefined(int dir, std::uint16_t tag, const Bytes& bytes) {
    addEntry(dir, tag, 7, static_cast<std::uint32_t>(bytes.size()), bytes);
}

void TiffBuilder::link(int dir, std::uint16_t tag, int child) {
    Entry e;
    e.tag = tag;
    e.format = 4;
    e.components = 1;
    e.linkTo = child;
    dirs_.at(dir).entries.push_back(e);
}

void TiffBuilder::setNext(int dir, int next) { dirs_.at(dir).next = next; }
void TiffBuilder::setNextOffset(int dir, std::uint32_t offset) { dirs_.at(dir).nextOffset = offset; }

void TiffBuilder::setThumbnail(int dir, const Bytes& bytes) {
    Directory& d = dirs_.at(dir);
    d.thumbnail = bytes;
    Entry offset;
    offset.tag = 0x0201;
    offset.format = 4;
    offset.components = 1;
    offset.thumbnailOffset = true;
    d.entries.push_back(offset);
    addLong(dir, 0x0202, static_cast<std::uint32_t>(bytes.size()));
}

Bytes TiffBuilder::build() const {
    // Directories first, right after the 8-byte header, then the data area.
    std::vector<std::uint32_t> dirOffsets;
    std::uint32_t at = 8;
    for (const Directory& d : dirs_) {
        dirOffsets.push_back(at);
        at += static_cast<std::uint32_t>(2 + 12 * d.entries.size() + 4);
    }

    Bytes out = bigEndian_ ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
    put(out, u16(magic_));
    put(out, u32(firstOffset_));
    out.resize(at, 0);
    Bytes data;

    for (std::size_t i = 0; i < dirs_.size(); ++i) {
        const Directory& d = dirs_[i];
        std::size_t pos = dirOffsets[i];
        patch(out, pos, u16(static_cast<std::uint16_t>(d.entries.size())));
        pos += 2;
        std::uint32_t thumbnailAt = 0;
        if (!d.thumbnail.empty()) {
            thumbnailAt = at + static_cast<std::uint32_t>(data.size());
            put(data, d.thumbnail);
        }
        for (const Entry& e : d.entries) {
            patch(out, pos, u16(e.tag));
            patch(out, pos + 2, u16(e.format));
            patch(out, pos + 4, u32(e.components));
            Bytes field(4, 0);
            if (e.linkTo >= 0) {
                field = u32(dirOffsets.at(static_cast<std::size_t>(e.linkTo)));
            } else if (e.thumbnailOffset) {
                field = u32(thumbnailAt);
            } else if (e.rawOffset) {
                field = u32(*e.rawOffset);
            } else if (e.components * formatSize(e.format) > 4) {
                field = u32(at + static_cast<std::uint32_t>(data.size()));
                put(data, e.value);
            } else {
                std::copy_n(e.value.begin(), std::min<std::size_t>(4, e.value.size()), field.begin());
            }
            patch(out, pos + 8, field);
            pos += 12;
        }
        std::uint32_t next = 0;
        if (d.nextOffset) {
            next = *d.nextOffset;
        } else if (d.next >= 0) {
            next = dirOffsets.at(static_cast<std::size_t>(d.next));
        }
        patch(out, pos, u32(next));
    }
    put(out, data);
    return out;
}

JpegBuilder::JpegBuilder() : bytes_{0xFF, 0xD8} {}

JpegBuilder& JpegBuilder::section(std::uint8_t marker, const Bytes& body) {
    const std::size_t length = body.size() + 2;
    if (length > 0xFFFF) {
        throw std::length_error("section too long");
    }
    bytes_.push_back(0xFF);
    bytes_.push_back(marker);
    bytes_.push_back(static_cast<std::uint8_t>(length >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(length));
    put(bytes_, body);
    return *this;
}

JpegBuilder& JpegBuilder::app0() {
    return section(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
}

JpegBuilder& JpegBuilder::exif(const Bytes& tiffBlock) {
    Bytes body{'E', 'x', 'i', 'f', 0, 0};
    put(body, tiffBlock);
    return section(0xE1, body);
}

JpegBuilder& JpegBuilder::app1(const Bytes& body) { return section(0xE1, body); }

JpegBuilder& JpegBuilder::comment(const std::string& text) {
    return section(0xFE, Bytes(text.begin(), text.end()));
}

JpegBuilder& JpegBuilder::frame(std::uint16_t width, std::uint16_t height,
                                std::uint8_t components, std::uint8_t marker) {
    Bytes body{8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
               static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), components};
    for (std::uint8_t c = 0; c < components; ++c) {
        put(body, {static_cast<std::uint8_t>(c + 1), 0x11, 0});
    }
    return section(marker, body);
}

JpegBuilder& JpegBuilder::startOfScan() {
    section(0xDA, {1, 1, 0, 0, 0x3F, 0});
    scanStart_ = bytes_.size();
    // Entropy-coded data and end of image, which the decoder must not read.
    put(bytes_, {0x12, 0x34, 0xFF, 0x00, 0x56, 0xFF, 0xD9});
    return *this;
}

JpegBuilder& JpegBuilder::raw(const Bytes& bytes) {
    put(bytes_, bytes);
    return *this;
}

}  // namespace dz::test
