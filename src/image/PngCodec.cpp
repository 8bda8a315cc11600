#include "image/PngCodec.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <png.h>

namespace dz {

namespace {

struct PngInput {
    std::span<const std::uint8_t> bytes;
    std::size_t position;
    char message[200];
};

void onError(png_structp png, png_const_charp message) {
    auto* input = static_cast<PngInput*>(png_get_error_ptr(png));
    std::snprintf(input->message, sizeof input->message, "%s", message != nullptr ? message : "PNG error");
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
    if (count > input->bytes.size() - input->position) {
        png_error(png, "PNG data ends early");
    }
    std::memcpy(out, input->bytes.data() + input->position, count);
    input->position += count;
}

struct PngJob {
    const DecodeOptions* options;
    CRaster* image;
    std::vector<std::uint8_t>* rgba;       // the whole picture, 4 bytes a pixel
    std::vector<png_bytep>* rows;
    bool alpha;
    const char* failure;
};

// Only plain data lives in this frame, so libpng's longjmp skips no
// destructor; the buffers belong to the caller.
bool runRead(png_structp png, png_infop info, PngJob& job) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_user_limits(png, CRaster::kMaxDimension, CRaster::kMaxDimension);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    // The whole picture is held at 4 bytes a pixel before it is split.
    if (!CRaster::fitsLimit(static_cast<int>(width), static_cast<int>(height), 32, job.options->memoryLimit)) {
        job.failure = kMemoryLimitText;
        return false;
    }
    job.alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
        job.failure = "unsupported PNG pixel format";
        return false;
    }
    if (!job.image->createBlank(static_cast<int>(width), static_cast<int>(height), 24, job.options->memoryLimit)) {
        job.failure = kMemoryLimitText;
        return false;
    }
    job.rgba->resize(static_cast<std::size_t>(width) * height * 4);
    job.rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        (*job.rows)[y] = job.rgba->data() + static_cast<std::size_t>(y) * width * 4;
    }
    png_read_image(png, job.rows->data());
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool decodePng(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
               std::string& error) {
    PngInput input{bytes, 0, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &input, onError, onWarning);
    if (png == nullptr) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "out of memory";
        return false;
    }
    png_set_read_fn(png, &input, readBytes);
    CRaster image;
    std::vector<std::uint8_t> rgba;
    std::vector<png_bytep> rows;
    PngJob job{&options, &image, &rgba, &rows, false, nullptr};
    bool ok = false;
    try {
        ok = runRead(png, info, job);
    } catch (const std::bad_alloc&) {
        job.failure = "out of memory";
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        error = job.failure != nullptr ? job.failure : input.message;
        return false;
    }
    const std::size_t width = static_cast<std::size_t>(image.width());
    std::vector<std::uint8_t> alpha;
    if (job.alpha) {
        alpha.resize(width * static_cast<std::size_t>(image.height()));
    }
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* src = rows[static_cast<std::size_t>(y)];
        std::uint8_t* dst = image.topDownRow(y);
        const std::size_t storedRow = static_cast<std::size_t>(image.height() - 1 - y);
        for (std::size_t x = 0; x < width; ++x) {
            std::memcpy(dst + 3 * x, src + 4 * x, 3);
            if (job.alpha) {
                alpha[storedRow * width + x] = src[4 * x + 3];
            }
        }
    }
    if (job.alpha) {
        image.setAlpha(std::move(alpha));
    }
    out = std::move(image);
    return true;
}

}  // namespace dz
