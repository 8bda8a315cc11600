#pragma once

#include <cstdint>

namespace dz {

// Where a catalogued picture's shot time came from, first to last.
enum class DateSource : std::uint8_t {
    ExifOriginal,
    ExifDigitized,
    ExifModified,
    Video,
    FileName,
    FileTime,
};

// The word `info` prints for it.
inline const char* dateSourceWord(DateSource source) {
    switch (source) {
    case DateSource::ExifOriginal:
        return "exif-original";
    case DateSource::ExifDigitized:
        return "exif-digitized";
    case DateSource::ExifModified:
        return "exif-modified";
    case DateSource::Video:
        return "video";
    case DateSource::FileName:
        return "file-name";
    case DateSource::FileTime:
        return "file-time";
    }
    return "exif-original";
}

}  // namespace dz
