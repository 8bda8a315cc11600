#pragma once

#include <cstdint>
#include <string>

namespace dz {

// The status line after duplicates were found: `catalogueSize` pictures now
// in the catalogue, `duplicates` found, `scanned` pictures found by the scan.
std::string duplicateStatusText(std::int64_t catalogueSize, std::int32_t duplicates, std::int32_t scanned);

}  // namespace dz
