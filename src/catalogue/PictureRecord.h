#pragma once

#include "catalogue/DateSource.h"
#include "catalogue/TimelineSpot.h"
#include "exif/ExifInfo.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dz {

// A file that travels with a picture: the raw file of a raw+JPEG pair, or a
// sidecar (.xmp .thm .aae). It goes where the picture goes, under the same
// new base name with its own extension; it is not catalogued itself.
struct CompanionFile {
    std::string path;
    std::uint64_t size = 0;
    bool isRaw = false;  // the raw file of a pair, not a sidecar
};

// The decoded EXIF block of one picture together with the program's own
// per-picture working fields. Every copy of a Picture record refers to the
// same block, so a label typed on the film is seen by the catalogue too.
struct PictureBlock {
    ExifInfo exif;
    std::int32_t imageListIndex = 0;
    std::int32_t filmImageIndex = -1;
    std::string customName;  // at most kCustomNameChars
    bool hasCustomName = false;
    bool dateFromFile = false;
    // Where the shot time came from; a date from a file name may lack its time.
    DateSource dateSource = DateSource::ExifOriginal;
    bool timeKnown = true;
    // The user's correction of this picture's shot time alone, seconds, and
    // where the timeline puts it.
    std::int64_t clockCorrection = 0;
    TimelineSpot spot;
    std::array<double, 16> signature{};
    // The same made from the picture's own pixels where `signature` came
    // from its embedded thumbnail: alike pictures are only comparable by
    // what they show. Made on demand by the similar search, never saved.
    std::array<double, 16> ownSignature{};
};

// One catalogued picture file, with the files that travel with it.
struct PictureRecord {
    std::string path;  // folder + "/" + file name
    bool isFolder = false;
    bool exifFound = false;
    std::uint32_t attributes = 0;
    std::int64_t createTime = 0;  // picture time stamp
    std::int64_t accessTime = 0;
    std::int64_t writeTime = 0;   // the same stamp; the date order uses it
    std::uint64_t size = 0;
    std::shared_ptr<PictureBlock> block;
    std::int32_t albumId = 0;
    std::int32_t isDuplicate = 0;
    std::int32_t isExcluded = 0;
    std::int32_t isNegative = 0;
    // Made by the scan; a session load finds them again by rescanning.
    std::vector<CompanionFile> companions;

    const ExifInfo& exif() const { return block->exif; }
    ExifInfo& exif() { return block->exif; }
};

// The bytes of a shot: the picture and every file that travels with it.
inline std::uint64_t shotSize(const PictureRecord& picture) {
    std::uint64_t size = picture.size;
    for (const CompanionFile& file : picture.companions) {
        size += file.size;
    }
    return size;
}

}  // namespace dz
