#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dz::test {

using Bytes = std::vector<std::uint8_t>;

// Builds a TIFF block (the part of an EXIF section after "Exif\0\0") from
// directories of entries, in either byte order. Values of more than four
// bytes go to a data area after the directories; FLOAT and DOUBLE values are
// written little-endian in both orders, as cameras of the decoder's time did.
class TiffBuilder {
public:
    explicit TiffBuilder(bool bigEndian = false);

    // Directory 0 is the first directory; returns the new directory's index.
    int addDirectory();

    void addByte(int dir, std::uint16_t tag, std::uint8_t value);
    void addShort(int dir, std::uint16_t tag, std::uint16_t value);
    void addLong(int dir, std::uint16_t tag, std::uint32_t value);
    void addSShort(int dir, std::uint16_t tag, std::int16_t value);
    void addSLong(int dir, std::uint16_t tag, std::int32_t value);
    void addRational(int dir, std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator);
    void addSRational(int dir, std::uint16_t tag, std::int32_t numerator, std::int32_t denominator);
    void addFloat(int dir, std::uint16_t tag, float value);
    void addDouble(int dir, std::uint16_t tag, double value);
    // ASCII with its terminating zero counted, as cameras write it.
    void addAscii(int dir, std::uint16_t tag, const std::string& text);
    void addUndefined(int dir, std::uint16_t tag, const Bytes& bytes);
    // Any entry: `value` is in block order and placed in the entry or the data area.
    void addEntry(int dir, std::uint16_t tag, std::uint16_t format, std::uint32_t components,
                  const Bytes& value);
    // An entry whose value offset field holds `offset` as given (hostile values).
    void addEntryWithOffset(int dir, std::uint16_t tag, std::uint16_t format,
                            std::uint32_t components, std::uint32_t offset);

    // Entry `tag` (0x8769, 0xA005) of `dir` pointing at directory `child`.
    void link(int dir, std::uint16_t tag, int child);
    void setNext(int dir, int next);
    void setNextOffset(int dir, std::uint32_t offset);
    // Thumbnail bytes in the data area, with tags 0x0201 and 0x0202 in `dir`.
    void setThumbnail(int dir, const Bytes& bytes);
    void setFirstDirectoryOffset(std::uint32_t offset) { firstOffset_ = offset; }
    void setMagic(std::uint16_t magic) { magic_ = magic; }

    Bytes build() const;

    // A number in the block's order.
    Bytes u16(std::uint16_t v) const;
    Bytes u32(std::uint32_t v) const;

private:
    struct Entry {
        std::uint16_t tag = 0;
        std::uint16_t format = 0;
        std::uint32_t components = 0;
        Bytes value;
        std::optional<std::uint32_t> rawOffset;
        int linkTo = -1;
        bool thumbnailOffset = false;
    };
    struct Directory {
        std::vector<Entry> entries;
        int next = -1;
        std::optional<std::uint32_t> nextOffset;
        Bytes thumbnail;
    };

    bool bigEndian_;
    std::uint32_t firstOffset_ = 8;
    std::uint16_t magic_ = 42;
    std::vector<Directory> dirs_;
};

// Builds the bytes of a JPEG file head section by section.
class JpegBuilder {
public:
    JpegBuilder();  // starts with FF D8

    JpegBuilder& section(std::uint8_t marker, const Bytes& body);
    JpegBuilder& app0();
    JpegBuilder& exif(const Bytes& tiffBlock);
    JpegBuilder& app1(const Bytes& body);
    JpegBuilder& comment(const std::string& text);
    JpegBuilder& frame(std::uint16_t width, std::uint16_t height, std::uint8_t components = 3,
                       std::uint8_t marker = 0xC0);
    // Start of scan followed by some entropy-coded bytes and end of image.
    JpegBuilder& startOfScan();
    JpegBuilder& raw(const Bytes& bytes);

    const Bytes& bytes() const { return bytes_; }
    // Where the start-of-scan section ends (0 before startOfScan()).
    std::size_t scanStart() const { return scanStart_; }

private:
    Bytes bytes_;
    std::size_t scanStart_ = 0;
};

}  // namespace dz::test
