#include "formats/RasterSink.h"

namespace dz {

RasterSink::RasterSink(CRaster& out, std::size_t memoryLimit)
    : out_(out), memoryLimit_(memoryLimit), sink_{this, &RasterSink::rows} {}

std::uint8_t* RasterSink::rows(void* owner, int width, int height, std::ptrdiff_t* stride) {
    RasterSink& self = *static_cast<RasterSink*>(owner);
    if (width <= 0 || height <= 0 || !self.out_.createBlank(width, height, 24, self.memoryLimit_)) {
        return nullptr;
    }
    // The raster keeps its rows bottom-up: the top row first, then a step back.
    *stride = -static_cast<std::ptrdiff_t>(self.out_.stride());
    return self.out_.topDownRow(0);
}

}  // namespace dz
