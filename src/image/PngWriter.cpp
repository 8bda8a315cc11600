#include "image/PngWriter.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace dz {

namespace {

void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

void writeBytes(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}
void flushBytes(png_structp) {}

// The rows as red, green, blue, top row first.
std::vector<std::uint8_t> rgbRows(const CRaster& image) {
    const int width = image.width();
    const int bytes = image.bytesPerPixel();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * image.height() * 3);
    std::uint8_t* at = rgb.data();
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.topDownRow(y);
        for (int x = 0; x < width; ++x, at += 3) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes;
            at[0] = bytes >= 3 ? p[2] : p[0];
            at[1] = bytes >= 3 ? p[1] : p[0];
            at[2] = p[0];
        }
    }
    return rgb;
}

bool runWrite(png_structp png, png_infop info, const CRaster& image, const PngTexts& texts,
              std::vector<png_text>& chunks, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    for (const auto& [key, value] : texts) {
        png_text chunk{};
        chunk.compression = PNG_TEXT_COMPRESSION_NONE;
        chunk.key = const_cast<char*>(key.c_str());
        chunk.text = const_cast<char*>(value.c_str());
        chunk.text_length = value.size();
        chunks.push_back(chunk);
    }
    if (!chunks.empty()) {
        png_set_text(png, info, chunks.data(), static_cast<int>(chunks.size()));
    }
    // Thumbnails are written often and read often: fast compression is
    // enough. One row filter instead of trying all five per row, and runs
    // only rather than a search for matches, keep a write to a fraction of
    // the thumbnail's making.
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

std::uint32_t bigEndian(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

}  // namespace

std::vector<std::uint8_t> encodePng(const CRaster& image, const PngTexts& texts) {
    if (!image.isValid() || image.bytesPerPixel() < 1) {
        return {};
    }
    std::vector<std::uint8_t> rgb = rgbRows(image);
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = rgb.data() + y * static_cast<std::size_t>(image.width()) * 3;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (png == nullptr) {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> out;
    std::vector<png_text> chunks;
    bool ok = false;
    if (info != nullptr) {
        png_set_write_fn(png, &out, writeBytes, flushBytes);
        try {
            ok = runWrite(png, info, image, texts, chunks, rows);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    png_destroy_write_struct(&png, &info);
    return ok ? out : std::vector<std::uint8_t>{};
}

PngTexts pngTexts(std::span<const std::uint8_t> bytes) {
    static constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PngTexts texts;
    if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) {
        return texts;
    }
    std::size_t at = kSignature.size();
    while (bytes.size() - at >= 12) {
        const std::uint32_t length = bigEndian(&bytes[at]);
        if (length > bytes.size() - at - 12) {
            break;
        }
        const std::uint8_t* type = &bytes[at + 4];
        const std::uint8_t* data = &bytes[at + 8];
        if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        if (std::memcmp(type, "tEXt", 4) == 0) {
            const auto* end = data + length;
            const auto* zero = std::find(data, end, std::uint8_t{0});
            if (zero != end) {
                texts.emplace_back(std::string(data, zero), std::string(zero + 1, end));
            }
        }
        at += 12 + static_cast<std::size_t>(length);
    }
    return texts;
}

}  // namespace dz
