#pragma once

#include <cstdint>
#include <vector>

namespace dz {

// The film thumbnail of a video whose frame does not decode, as JPEG bytes:
// a dark strip of film with its sprocket holes and a play mark in the
// middle, so the user sees a video is there rather than a broken picture.
std::vector<std::uint8_t> videoPlaceholderJpeg();

}  // namespace dz
