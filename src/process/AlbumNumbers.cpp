#include "process/AlbumNumbers.h"

#include <algorithm>

namespace dz {

AlbumNumbers::AlbumNumbers(const std::vector<PictureRecord>& catalogue, const Album& album) {
    std::vector<const PictureRecord*> pictures;
    for (const PictureRecord& picture : catalogue) {
        if (picture.albumId == album.id) {
            pictures.push_back(&picture);
        }
    }
    std::sort(pictures.begin(), pictures.end(), [](const PictureRecord* a, const PictureRecord* b) {
        return a->writeTime != b->writeTime ? a->writeTime < b->writeTime : a->path < b->path;
    });
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        numbers_.emplace(pictures[i]->path, static_cast<int>(i) + 1);
    }
    digits_ = static_cast<int>(std::to_string(std::max<std::size_t>(pictures.size(), 1)).size());
}

std::string AlbumNumbers::of(const PictureRecord& picture) const {
    const auto found = numbers_.find(picture.path);
    if (found == numbers_.end()) {
        return {};
    }
    std::string number = std::to_string(found->second);
    return std::string(static_cast<std::size_t>(std::max(0, digits_ - static_cast<int>(number.size()))), '0') +
           number;
}

}  // namespace dz
