#include "TinyJpeg.h"

#include <cstdint>

namespace dz::test {

namespace {

void le16(std::string& out, unsigned v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void le32(std::string& out, std::uint32_t v) {
    le16(out, v & 0xFFFF);
    le16(out, v >> 16);
}

void be16(std::string& out, unsigned v) {
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}

void entry(std::string& out, unsigned tag, unsigned format, std::uint32_t count, std::uint32_t value) {
    le16(out, tag);
    le16(out, format);
    le32(out, count);
    le32(out, value);
}

void section(std::string& out, unsigned marker, const std::string& body) {
    out.push_back(static_cast<char>(0xFF));
    out.push_back(static_cast<char>(marker));
    be16(out, static_cast<unsigned>(body.size() + 2));
    out += body;
}

std::string frameAndScan(int width, int height) {
    std::string out;
    std::string sof;
    sof.push_back(8);
    be16(sof, static_cast<unsigned>(height));
    be16(sof, static_cast<unsigned>(width));
    sof.push_back(3);
    for (int c = 1; c <= 3; ++c) {
        sof.push_back(static_cast<char>(c));
        sof.push_back(0x11);
        sof.push_back(0);
    }
    section(out, 0xC0, sof);
    section(out, 0xDA, std::string("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10));
    out += std::string("\x12\x34\x56\x78", 4);
    out += std::string("\xFF\xD9", 2);
    return out;
}

}  // namespace

std::string tinyExifJpeg(const std::string& dateTime, const std::string& make, int width, int height) {
    // TIFF block: header, IFD0 (Make, ExifIFD link), EXIF IFD (DateTimeOriginal), then the texts.
    const std::string makeText = make + '\0';
    const std::string dateText = dateTime.empty() ? std::string() : dateTime + '\0';
    const std::uint32_t ifd0 = 8;
    const std::uint32_t ifd0Size = 2 + 2 * 12 + 4;
    const std::uint32_t exifIfd = ifd0 + ifd0Size;
    const unsigned exifEntries = dateTime.empty() ? 0 : 1;
    const std::uint32_t exifIfdSize = 2 + exifEntries * 12 + 4;
    const std::uint32_t makeOffset = exifIfd + exifIfdSize;
    const std::uint32_t dateOffset = makeOffset + static_cast<std::uint32_t>(makeText.size());

    std::string tiff = "II";
    le16(tiff, 42);
    le32(tiff, ifd0);
    le16(tiff, 2);
    entry(tiff, 0x010F, 2, static_cast<std::uint32_t>(makeText.size()), makeOffset);
    entry(tiff, 0x8769, 4, 1, exifIfd);
    le32(tiff, 0);
    le16(tiff, exifEntries);
    if (!dateTime.empty()) {
        entry(tiff, 0x9003, 2, static_cast<std::uint32_t>(dateText.size()), dateOffset);
    }
    le32(tiff, 0);
    tiff += makeText;
    tiff += dateText;

    std::string out("\xFF\xD8", 2);
    section(out, 0xE1, std::string("Exif\0\0", 6) + tiff);
    out += frameAndScan(width, height);
    return out;
}

std::string tinyPlainJpeg(int width, int height) {
    std::string out("\xFF\xD8", 2);
    section(out, 0xE0, std::string("JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14));
    out += frameAndScan(width, height);
    return out;
}

}  // namespace dz::test
