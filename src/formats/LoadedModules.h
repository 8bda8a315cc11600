#pragma once

#include "formats/HeifModuleAbi.h"
#include "formats/VideoModuleAbi.h"

#include <cstdint>
#include <string>

namespace dz {

// The video module (FFmpeg), opened on the first call; null, with `problem`
// set, when it cannot be. Safe on any thread.
const DzVideoModule* videoModule(std::string& problem);

// The HEIF module (libheif), the same way.
const DzHeifModule* heifModule(std::string& problem);

// Frames the video module has decoded in this process (it is opened to ask);
// 0 when it cannot be opened.
std::uint64_t videoFramesDecoded();

}  // namespace dz
