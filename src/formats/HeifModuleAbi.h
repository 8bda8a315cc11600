#pragma once

// The table of functions of dezoredu-heif.so, the one part of the program
// linked against libheif. Plain C; a change of it raises the version.

#include "formats/PictureSink.h"

#ifdef __cplusplus
extern "C" {
#endif

#define DZ_HEIF_MODULE_FILE "dezoredu-heif.so"
#define DZ_HEIF_MODULE_TABLE "dz_heif_module"
#define DZ_HEIF_MODULE_VERSION 1u

// A HEIF file opened from bytes in memory, with its primary picture.
struct DzHeifFile;

struct DzHeifModule {
    uint32_t version;
    // Opens the file held in `data`, which must outlive the handle. Null
    // with `problem` set (NUL-terminated) when it is no readable HEIF file.
    struct DzHeifFile* (*open)(const uint8_t* data, size_t size, char* problem, size_t problemSize);
    void (*close)(struct DzHeifFile* file);
    void (*primarySize)(const struct DzHeifFile* file, int* width, int* height);
    // The size of the primary picture's Exif item; 0 when it has none.
    size_t (*exifItemSize)(const struct DzHeifFile* file);
    // Copies that item into `out` (exifItemSize bytes); 1 when done.
    int (*copyExifItem)(const struct DzHeifFile* file, uint8_t* out, size_t size);
    // Decodes the primary picture's thumbnail item into `sink`; 0 when there
    // is none or it does not decode.
    int (*decodeThumbnail)(const struct DzHeifFile* file, const struct DzPictureSink* sink);
    // Decodes the primary picture of the file at `path` into `sink`, which
    // is asked for its rows before a pixel is decoded.
    int (*decodeFile)(const char* path, const struct DzPictureSink* sink);
};

#ifdef __cplusplus
}
#endif
