#include "app/DuplicateStatus.h"

#include <cstdio>

namespace dz {

std::string duplicateStatusText(std::int64_t catalogueSize, std::int32_t duplicates, std::int32_t scanned) {
    const auto n = static_cast<int>(catalogueSize);
    // Counts from a session file can be anything; the difference must not overflow.
    const auto removed = static_cast<int>(static_cast<std::int64_t>(scanned) - n);
    char text[160];
    if (n == scanned) {
        std::snprintf(text, sizeof text, "Found %d .JPG Files with exif information. Duplicates %d. None removed", n,
                      duplicates);
    } else if (duplicates == removed) {
        std::snprintf(text, sizeof text, "%d unique .JPG Files with exif information. Duplicates %d. Removed %d", n,
                      duplicates, removed);
    } else {
        std::snprintf(text, sizeof text, "Found %d .JPG Files with exif information. Duplicates %d. Removed %d", n,
                      duplicates, removed);
    }
    return text;
}

}  // namespace dz
