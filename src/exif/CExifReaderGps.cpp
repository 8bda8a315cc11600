// The GPS directory: where and when the shot was taken, as the receiver said.
#include "exif/CExifReader.h"

#include "exif/GpsTags.h"

namespace dz {

bool CExifReader::ReadGpsDirectory(const ExifByteReader& block, std::uint64_t start, int depth) {
    // The same guards as every other directory: a link back to one already
    // read, or nested beyond reason, is not followed.
    if (!mayEnterDirectory(start, depth)) {
        return true;
    }
    const auto count = entryCount(block, start);
    if (!count) {
        return fail("Illegally sized directory");
    }
    GpsTags gps;
    for (std::uint64_t i = 0; i < *count; ++i) {
        Entry entry;
        // A directory that does not read gives no fix at all.
        if (const char* problem = ReadEntry(block, start, i, entry)) {
            return fail(problem);
        }
        takeGpsTag(gps, entry.tag, entry.format, entry.value);
    }
    target_->position = gpsPosition(gps);
    target_->gpsDateTime = gpsDateTime(gps);
    return true;
}

}  // namespace dz
