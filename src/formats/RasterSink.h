#pragma once

#include "formats/PictureSink.h"
#include "image/CRaster.h"

#include <cstddef>

namespace dz {

// The sink a module decodes into: `out` made a blank 24-bit raster of the
// size the module asks for, refused beyond `memoryLimit`.
class RasterSink {
public:
    RasterSink(CRaster& out, std::size_t memoryLimit);
    RasterSink(const RasterSink&) = delete;
    RasterSink& operator=(const RasterSink&) = delete;

    const DzPictureSink* sink() const { return &sink_; }

private:
    static std::uint8_t* rows(void* owner, int width, int height, std::ptrdiff_t* stride);

    CRaster& out_;
    std::size_t memoryLimit_;
    DzPictureSink sink_;
};

}  // namespace dz
