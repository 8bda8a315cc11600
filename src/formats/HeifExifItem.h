#pragma once

#include <cstddef>
#include <cstdint>

namespace dz {

// The TIFF block within a HEIF Exif item: the item starts with the offset
// from its fifth byte to the TIFF header (past an "Exif" header where the
// writer kept one). False when the offset points outside the item.
bool tiffBlockOfExifItem(const std::uint8_t* item, std::size_t size, const std::uint8_t*& block,
                         std::size_t& blockSize);

}  // namespace dz
