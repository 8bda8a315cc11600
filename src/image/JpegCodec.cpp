#include "image/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace dz {

namespace {

// libjpeg's error manager with a way back out of the library.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;
};

void onFatalError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (level -1) are remembered instead of printed; trace messages are
// dropped.
void onMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) {
        return;
    }
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) {
        manager->truncated = true;
    }
    cinfo->err->num_warnings++;
}

std::size_t scaledSize(int size, int numerator) {
    return (static_cast<std::size_t>(size) * static_cast<std::size_t>(numerator) + 7) / 8;
}

// Adobe writes CMYK inverted; the channels are then plain coverage values.
void cmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x) {
        const unsigned c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        bgr[3 * x] = static_cast<std::uint8_t>(y * k / 255);
        bgr[3 * x + 1] = static_cast<std::uint8_t>(m * k / 255);
        bgr[3 * x + 2] = static_cast<std::uint8_t>(c * k / 255);
    }
}

struct JpegJob {
    std::span<const std::uint8_t> bytes;
    const DecodeOptions* options;
    CRaster* image;
    const char* failure;  // our own reason, when not libjpeg's
};

// Runs libjpeg from header to end. Only plain data lives in this frame, so
// the longjmp from onFatalError skips no destructor.
bool runDecompress(jpeg_decompress_struct& cinfo, JpegErrorManager& errors, JpegJob& job) {
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, job.bytes.data(), static_cast<unsigned long>(job.bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        job.failure = "no JPEG picture";
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    cinfo.scale_num = static_cast<unsigned>(jpegScaleNumerator(
        static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height), job.options->wantedWidth,
        job.options->wantedHeight));
    cinfo.scale_denom = 8;
    if (cinfo.scale_num < 8) {
        // The picture is resampled down afterwards; smooth chroma would not show.
        cinfo.do_fancy_upsampling = FALSE;
    }
    jpeg_calc_output_dimensions(&cinfo);
    const JDIMENSION width = cinfo.output_width;
    const JDIMENSION height = cinfo.output_height;
    if (width > CRaster::kMaxDimension || height > CRaster::kMaxDimension ||
        !CRaster::fitsLimit(static_cast<int>(width), static_cast<int>(height), 24, job.options->memoryLimit)) {
        job.failure = kMemoryLimitText;
        return false;
    }
    // libjpeg's own buffers (whole-picture coefficients of a progressive
    // file) count against the same limit; past it libjpeg fails for want of
    // a backing store instead of growing.
    cinfo.mem->max_memory_to_use = static_cast<long>(job.options->memoryLimit);
    if (!job.image->createBlank(static_cast<int>(width), static_cast<int>(height), 24, job.options->memoryLimit)) {
        job.failure = kMemoryLimitText;
        return false;
    }
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) {
        cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, width * 4, 1);
    }
    while (cinfo.output_scanline < height) {
        if (errors.truncated) {
            job.failure = "JPEG data ends before the picture";
            return false;
        }
        std::uint8_t* dst = job.image->topDownRow(static_cast<int>(cinfo.output_scanline));
        if (cmyk) {
            jpeg_read_scanlines(&cinfo, cmykRow, 1);
            cmykRowToBgr(cmykRow[0], dst, width);
        } else {
            JSAMPROW row = dst;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
    }
    jpeg_finish_decompress(&cinfo);
    if (errors.truncated) {
        job.failure = "JPEG data ends before the picture";
        return false;
    }
    return true;
}

}  // namespace

int jpegScaleNumerator(int width, int height, int wantedWidth, int wantedHeight) {
    if (wantedWidth <= 0 || wantedHeight <= 0) {
        return 8;
    }
    const std::size_t needWidth = 2 * static_cast<std::size_t>(wantedWidth);
    const std::size_t needHeight = 2 * static_cast<std::size_t>(wantedHeight);
    // Only 1/8, 1/4 and 1/2: libjpeg-turbo has fast reduced transforms for
    // these, while 3/8, 5/8, 6/8 and 7/8 are slower than a full-size decode.
    for (int numerator : {1, 2, 4}) {
        if (scaledSize(width, numerator) >= needWidth && scaledSize(height, numerator) >= needHeight) {
            return numerator;
        }
    }
    return 8;
}

bool decodeJpeg(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
                std::string& error) {
    if (bytes.empty()) {
        error = "no JPEG picture";
        return false;
    }
    jpeg_decompress_struct cinfo;
    JpegErrorManager errors;
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&errors, 0, sizeof errors);
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.emit_message = onMessage;
    errors.base.output_message = [](j_common_ptr) {};
    CRaster image;
    JpegJob job{bytes, &options, &image, nullptr};
    const bool ok = runDecompress(cinfo, errors, job);
    // Safe on a zeroed struct too, when creation itself failed.
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        error = job.failure != nullptr ? job.failure : errors.message;
        if (error.empty()) {
            error = "cannot decode JPEG picture";
        }
        return false;
    }
    out = std::move(image);
    return true;
}

}  // namespace dz
