#include "image/JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace dz {

namespace {

struct WriterErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void writerFatal(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<WriterErrors*>(cinfo->err)->jump, 1);
}

void writerSilent(j_common_ptr, int) {}

// Kept apart from encodeJpeg so that nothing with a destructor lives in the
// frame longjmp leaves.
bool compress(jpeg_compress_struct& cinfo, WriterErrors& errors, const CRaster& image, int quality,
              unsigned char** out, unsigned long* size) {
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.topDownRow(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const CRaster& image, int quality) {
    if (!image.isValid() || image.bitsPerPixel() != 24) {
        return {};
    }
    jpeg_compress_struct cinfo{};
    WriterErrors errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = writerFatal;
    errors.base.emit_message = writerSilent;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = compress(cinfo, errors, image, quality, &buffer, &size);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes;
    if (ok && buffer != nullptr) {
        bytes.assign(buffer, buffer + size);
    }
    std::free(buffer);
    return bytes;
}

}  // namespace dz
