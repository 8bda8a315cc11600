#include "app/SessionPictures.h"

#include <algorithm>

namespace dz {

double fingerprintShare(const PictureRecord& picture) {
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(picture.size));
    return static_cast<double>(low) / 1048576.0;
}

void sortForSession(std::vector<PictureRecord>& pictures) {
    std::sort(pictures.begin(), pictures.end(), [](const PictureRecord& a, const PictureRecord& b) {
        if (a.writeTime != b.writeTime) {
            return a.writeTime < b.writeTime;
        }
        return a.path < b.path;
    });
}

SessionPicture sessionPicture(const PictureRecord& picture) {
    const PictureBlock& block = *picture.block;
    SessionPicture stored;
    stored.isDuplicate = picture.isDuplicate;
    stored.isExcluded = picture.isExcluded;
    stored.albumId = picture.albumId;
    stored.isNegative = picture.isNegative;
    stored.hasCustomName = block.hasCustomName ? 1 : 0;
    stored.dateFromFile = block.dateFromFile ? 1 : 0;
    stored.hasExif = block.exif.hasExif ? 1 : 0;
    stored.signature = block.signature;
    stored.filmImageIndex = block.filmImageIndex;
    stored.customName = block.customName.substr(0, kCustomNameChars);
    return stored;
}

void applySessionPicture(const SessionPicture& stored, PictureRecord& picture) {
    picture.isDuplicate = stored.isDuplicate;
    picture.isExcluded = stored.isExcluded;
    picture.albumId = stored.albumId;
    picture.isNegative = stored.isNegative;
    PictureBlock& block = *picture.block;
    block.hasCustomName = stored.hasCustomName != 0;
    block.dateFromFile = stored.dateFromFile != 0;
    // hasExif stays as the fresh decode found it: the scan keeps only
    // pictures with EXIF, and a stored 0 must not make one look empty.
    block.signature = stored.signature;
    block.filmImageIndex = stored.filmImageIndex;
    block.customName = stored.customName.substr(0, kCustomNameChars);
}

}  // namespace dz
