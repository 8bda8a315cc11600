#include "app/SessionPictures.h"

#include "catalogue/PictureTimeStamp.h"

#include <algorithm>

namespace dz {

double fingerprintShare(const PictureRecord& picture) {
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(picture.size));
    return static_cast<double>(low) / 1048576.0;
}

namespace {

bool onTimeline(const std::vector<PictureRecord>& pictures) {
    return !pictures.empty() && pictures.front().block && pictures.front().block->spot.onTimeline;
}

}  // namespace

void sortForSession(std::vector<PictureRecord>& pictures) {
    if (onTimeline(pictures)) {
        // Any one bias orders the shot times as the scan's keys did.
        std::vector<std::pair<std::int64_t, std::size_t>> order(pictures.size());
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            order[i] = {pictureTimeStamp(pictures[i].exif().dateTime, 0), i};
        }
        std::sort(order.begin(), order.end(), [&pictures](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : pictures[a.second].path < pictures[b.second].path;
        });
        std::vector<PictureRecord> sorted;
        sorted.reserve(pictures.size());
        for (const auto& [stamp, index] : order) {
            sorted.push_back(std::move(pictures[index]));
        }
        pictures = std::move(sorted);
        return;
    }
    std::sort(pictures.begin(), pictures.end(), [](const PictureRecord& a, const PictureRecord& b) {
        if (a.writeTime != b.writeTime) {
            return a.writeTime < b.writeTime;
        }
        return a.path < b.path;
    });
}

void sortByKeyAfterSession(std::vector<PictureRecord>& pictures) {
    if (!onTimeline(pictures)) {
        return;
    }
    std::sort(pictures.begin(), pictures.end(), [](const PictureRecord& a, const PictureRecord& b) {
        return a.writeTime != b.writeTime ? a.writeTime < b.writeTime : a.path < b.path;
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
