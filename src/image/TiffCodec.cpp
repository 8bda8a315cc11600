#include "image/TiffCodec.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <tiffio.h>

namespace dz {

namespace {

struct TiffInput {
    std::span<const std::uint8_t> bytes;
    std::uint64_t position = 0;
    std::string message;
};

tmsize_t readProc(thandle_t handle, void* out, tmsize_t count) {
    auto* input = static_cast<TiffInput*>(handle);
    if (count <= 0 || input->position >= input->bytes.size()) {
        return 0;
    }
    const std::uint64_t left = input->bytes.size() - input->position;
    const std::uint64_t n = std::min<std::uint64_t>(left, static_cast<std::uint64_t>(count));
    std::memcpy(out, input->bytes.data() + input->position, static_cast<std::size_t>(n));
    input->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence) {
    auto* input = static_cast<TiffInput*>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = input->position;
    } else if (whence == SEEK_END) {
        base = input->bytes.size();
    }
    // Seeking past the end is allowed, as for a file; reads there give 0 bytes.
    if (offset > UINT64_MAX - base) {
        return static_cast<toff_t>(-1);
    }
    input->position = base + offset;
    return input->position;
}

int closeProc(thandle_t) {
    return 0;
}

toff_t sizeProc(thandle_t handle) {
    return static_cast<TiffInput*>(handle)->bytes.size();
}

int onError(TIFF*, void* user, const char* module, const char* format, va_list args) {
    auto* input = static_cast<TiffInput*>(user);
    if (input->message.empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, args);
        input->message = module != nullptr ? std::string(module) + ": " + text : text;
    }
    return 1;  // handled: the process-wide handler is not called
}

int onWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

}  // namespace

bool decodeTiff(std::span<const std::uint8_t> bytes, const DecodeOptions& options, CRaster& out,
                std::string& error) {
    TiffInput input{bytes, 0, {}};
    TIFFOpenOptions* openOptions = TIFFOpenOptionsAlloc();
    if (openOptions == nullptr) {
        error = "out of memory";
        return false;
    }
    TIFFOpenOptionsSetErrorHandlerExtR(openOptions, onError, &input);
    TIFFOpenOptionsSetWarningHandlerExtR(openOptions, onWarning, &input);
    TIFFOpenOptionsSetMaxSingleMemAlloc(openOptions, static_cast<tmsize_t>(options.memoryLimit));
    // "m": no memory mapping, the reads go through readProc.
    TIFF* tiff = TIFFClientOpenExt("memory", "rm", &input, readProc, writeProc, seekProc, closeProc, sizeProc,
                                   nullptr, nullptr, openOptions);
    TIFFOpenOptionsFree(openOptions);
    if (tiff == nullptr) {
        error = input.message.empty() ? "not a TIFF file" : input.message;
        return false;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t extraSamples = 0;
    std::uint16_t* extraTypes = nullptr;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraSamples, &extraTypes);
    char reason[1024] = {};
    bool ok = false;
    CRaster image;
    std::vector<std::uint32_t> rgba;
    if (width > CRaster::kMaxDimension || height > CRaster::kMaxDimension || width == 0 || height == 0) {
        error = "invalid TIFF picture size";
    } else if (!CRaster::fitsLimit(static_cast<int>(width), static_cast<int>(height), 32, options.memoryLimit)) {
        error = kMemoryLimitText;
    } else if (TIFFRGBAImageOK(tiff, reason) == 0) {
        error = reason;
    } else if (!image.createBlank(static_cast<int>(width), static_cast<int>(height), 24, options.memoryLimit)) {
        error = image.lastError();
    } else {
        try {
            rgba.resize(static_cast<std::size_t>(width) * height);
            // Bottom-left origin gives the rows in our stored order.
            ok = TIFFReadRGBAImageOriented(tiff, width, height, rgba.data(), ORIENTATION_BOTLEFT, 0) != 0;
        } catch (const std::bad_alloc&) {
            input.message = "out of memory";
        }
        if (!ok) {
            error = input.message.empty() ? "cannot decode TIFF picture" : input.message;
        }
    }
    TIFFClose(tiff);
    if (!ok) {
        return false;
    }
    const std::size_t w = width;
    std::vector<std::uint8_t> alpha;
    if (extraSamples > 0) {
        alpha.resize(rgba.size());
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        std::uint8_t* dst = image.pixelRow(static_cast<int>(row));
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t p = rgba[row * w + x];
            dst[3 * x] = static_cast<std::uint8_t>(TIFFGetB(p));
            dst[3 * x + 1] = static_cast<std::uint8_t>(TIFFGetG(p));
            dst[3 * x + 2] = static_cast<std::uint8_t>(TIFFGetR(p));
            if (!alpha.empty()) {
                alpha[row * w + x] = static_cast<std::uint8_t>(TIFFGetA(p));
            }
        }
    }
    if (!alpha.empty()) {
        image.setAlpha(std::move(alpha));
    }
    out = std::move(image);
    return true;
}

}  // namespace dz
