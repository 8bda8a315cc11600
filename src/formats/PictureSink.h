#pragma once

// Where a module writes a picture it decodes: the core's own raster, made
// by the core, so that the memory limit and the pixel layout stay the core's.
// Plain C, as it crosses into the modules.

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct DzPictureSink {
    void* owner;
    // Rows for a 24-bit picture (blue, green, red) of width x height: the
    // top row, and in *stride the bytes from a row to the one below it
    // (negative where rows are kept bottom-up). Null when it cannot be made,
    // above all when it passes the memory limit; the module then gives up.
    uint8_t* (*rows)(void* owner, int width, int height, ptrdiff_t* stride);
};

#ifdef __cplusplus
}
#endif
