#pragma once

// The table of functions of dezoredu-video.so, the one part of the program
// linked against FFmpeg. Plain C, so the core and the module agree on it
// whatever either was built with; a change of it raises the version.

#include "formats/PictureSink.h"

#ifdef __cplusplus
extern "C" {
#endif

#define DZ_VIDEO_MODULE_FILE "dezoredu-video.so"
#define DZ_VIDEO_MODULE_TABLE "dz_video_module"
#define DZ_VIDEO_MODULE_VERSION 1u

struct DzVideoModule {
    uint32_t version;
    // The picture that stands for the movie at `path` (the key frame at or
    // before one second in), scaled to fit boxWidth x boxHeight with its
    // proportions kept (0 x 0: full size, never scaled up), into `sink`.
    // 1 when made; 0 with `problem` set (NUL-terminated) when not.
    int (*decodeMovieFrame)(const char* path, int boxWidth, int boxHeight, const struct DzPictureSink* sink,
                            char* problem, size_t problemSize);
    // The same for a whole WebP file held in memory.
    int (*decodeWebp)(const uint8_t* data, size_t size, int boxWidth, int boxHeight,
                      const struct DzPictureSink* sink, char* problem, size_t problemSize);
    // Frames the module has decoded in this process, so tests can tell the
    // work a scan does without timing it.
    uint64_t (*framesDecoded)(void);
};

#ifdef __cplusplus
}
#endif
