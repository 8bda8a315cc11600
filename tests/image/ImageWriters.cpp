#include "ImageWriters.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace dz::test {

CRaster patternImage(int width, int height) {
    CRaster image;
    if (!image.createBlank(width, height, 24)) {
        return image;
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.topDownRow(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
            row[3 * x + 2] = static_cast<std::uint8_t>(((x / 8 + y / 8) % 2) * 200 + 20);
        }
    }
    return image;
}

bool samePixels(const CRaster& a, const CRaster& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.bitsPerPixel() != b.bitsPerPixel()) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(a.width()) * static_cast<std::size_t>(a.bytesPerPixel());
    for (int row = 0; row < a.height(); ++row) {
        if (!std::equal(a.pixelRow(row), a.pixelRow(row) + rowBytes, b.pixelRow(row))) {
            return false;
        }
    }
    return true;
}

int largestDifference(const CRaster& a, const CRaster& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.bitsPerPixel() != b.bitsPerPixel()) {
        return -1;
    }
    int largest = 0;
    const std::size_t rowBytes = static_cast<std::size_t>(a.width()) * static_cast<std::size_t>(a.bytesPerPixel());
    for (int row = 0; row < a.height(); ++row) {
        for (std::size_t i = 0; i < rowBytes; ++i) {
            largest = std::max(largest, std::abs(a.pixelRow(row)[i] - b.pixelRow(row)[i]));
        }
    }
    return largest;
}

Bgr pixelAt(const CRaster& image, int x, int y) {
    const std::uint8_t* p = image.topDownRow(y) + static_cast<std::size_t>(x) * static_cast<std::size_t>(image.bytesPerPixel());
    if (image.bitsPerPixel() == 8) {
        return {p[0], p[0], p[0]};
    }
    return {p[0], p[1], p[2]};
}

namespace {

struct WriterErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void writerFatal(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<WriterErrors*>(cinfo->err)->jump, 1);
}

bool compress(jpeg_compress_struct& cinfo, WriterErrors& errors, const CRaster& image, int quality, JpegKind kind,
              unsigned char** out, unsigned long* size, std::vector<std::uint8_t>& greyRow) {
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    const bool grey = kind == JpegKind::Grey;
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (kind == JpegKind::Progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* src = image.topDownRow(static_cast<int>(cinfo.next_scanline));
        JSAMPROW row = const_cast<JSAMPROW>(src);
        if (grey) {
            for (int x = 0; x < image.width(); ++x) {
                greyRow[static_cast<std::size_t>(x)] = src[3 * x + 1];
            }
            row = greyRow.data();
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> writeJpeg(const CRaster& image, int quality, JpegKind kind) {
    if (!image.isValid() || image.bitsPerPixel() != 24) {
        return {};
    }
    jpeg_compress_struct cinfo{};
    WriterErrors errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = writerFatal;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> greyRow(static_cast<std::size_t>(image.width()));
    const bool ok = compress(cinfo, errors, image, quality, kind, &buffer, &size, greyRow);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes;
    if (ok && buffer != nullptr) {
        bytes.assign(buffer, buffer + size);
    }
    std::free(buffer);
    return bytes;
}

namespace {

void pngAppend(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

bool pngWrite(png_structp png, png_infop info, const CRaster& image, PngKind kind,
              const std::vector<std::uint8_t>& alpha, std::vector<std::uint8_t>& row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    const int colourType = kind == PngKind::Rgba   ? PNG_COLOR_TYPE_RGBA
                           : kind == PngKind::Grey ? PNG_COLOR_TYPE_GRAY
                                                   : PNG_COLOR_TYPE_RGB;
    const int depth = kind == PngKind::Rgb16 ? 16 : 8;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), depth,
                 colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t w = static_cast<std::size_t>(image.width());
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* src = image.topDownRow(y);
        row.clear();
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint8_t b = src[3 * x], g = src[3 * x + 1], r = src[3 * x + 2];
            switch (kind) {
            case PngKind::Grey:
                row.push_back(g);
                break;
            case PngKind::Rgb16:
                // High byte the colour, low byte noise the 8-bit reduction drops.
                row.insert(row.end(), {r, 0x5A, g, 0xA5, b, 0x3C});
                break;
            case PngKind::Rgba:
                row.insert(row.end(), {r, g, b, alpha[static_cast<std::size_t>(y) * w + x]});
                break;
            case PngKind::Rgb:
                row.insert(row.end(), {r, g, b});
                break;
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<std::uint8_t> writePng(const CRaster& image, PngKind kind, const std::vector<std::uint8_t>& alpha) {
    const std::size_t pixels = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    if (!image.isValid() || image.bitsPerPixel() != 24 || (kind == PngKind::Rgba && alpha.size() != pixels)) {
        return {};
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> row;
    png_set_write_fn(png, &bytes, pngAppend, nullptr);
    const bool ok = pngWrite(png, info, image, kind, alpha, row);
    png_destroy_write_struct(&png, &info);
    return ok ? bytes : std::vector<std::uint8_t>{};
}

bool writeTiff(const std::string& path, const CRaster& image, const std::vector<std::uint8_t>& alpha) {
    const std::size_t w = static_cast<std::size_t>(image.width());
    const bool withAlpha = !alpha.empty();
    if (!image.isValid() || image.bitsPerPixel() != 24 || (withAlpha && alpha.size() != w * image.height())) {
        return false;
    }
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (tiff == nullptr) {
        return false;
    }
    const std::uint16_t samples = withAlpha ? 4 : 3;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height()));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    if (withAlpha) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    std::vector<std::uint8_t> row;
    bool ok = true;
    for (int y = 0; y < image.height() && ok; ++y) {
        const std::uint8_t* src = image.topDownRow(y);
        row.clear();
        for (std::size_t x = 0; x < w; ++x) {
            row.insert(row.end(), {src[3 * x + 2], src[3 * x + 1], src[3 * x]});
            if (withAlpha) {
                row.push_back(alpha[static_cast<std::size_t>(y) * w + x]);
            }
        }
        ok = TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) == 1;
    }
    TIFFClose(tiff);
    return ok;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace dz::test
