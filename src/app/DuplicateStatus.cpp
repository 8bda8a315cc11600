#include "app/DuplicateStatus.h"

#include <cstdio>

namespace dz {

const char* pictureFilesWord(PictureFiles files, const char* jpegWord) {
    return files == PictureFiles::AllFormats ? "pictures and videos" : jpegWord;
}

std::string duplicateStatusText(std::int64_t catalogueSize, std::int32_t duplicates, std::int32_t scanned,
                                PictureFiles files) {
    const char* what = pictureFilesWord(files, ".JPG Files");
    const auto n = static_cast<int>(catalogueSize);
    // Counts from a session file can be anything; the difference must not overflow.
    const auto removed = static_cast<int>(static_cast<std::int64_t>(scanned) - n);
    char text[160];
    if (n == scanned) {
        std::snprintf(text, sizeof text, "Found %d %s with exif information. Duplicates %d. None removed", n, what,
                      duplicates);
    } else if (duplicates == removed) {
        std::snprintf(text, sizeof text, "%d unique %s with exif information. Duplicates %d. Removed %d", n, what,
                      duplicates, removed);
    } else {
        std::snprintf(text, sizeof text, "Found %d %s with exif information. Duplicates %d. Removed %d", n, what,
                      duplicates, removed);
    }
    return text;
}

}  // namespace dz
