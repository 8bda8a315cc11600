#include "duplicates/PictureLooks.h"

#include <utility>

namespace dz {

PictureLook lookOfPicture(const PictureRecord& picture) {
    const int width = picture.block ? picture.block->exif.width : 0;
    const int height = picture.block ? picture.block->exif.height : 0;
    return lookOfFile(picture.path, width, height);
}

AnalysisOutcome PictureLooks::update(const std::vector<PictureRecord>& catalogue, const AnalysisHooks& hooks) {
    AnalysisOutcome outcome;
    std::vector<PictureLook> looks;
    std::unordered_map<std::string, std::size_t> byPath;
    looks.reserve(catalogue.size());
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        if (hooks.beforePicture && !hooks.beforePicture(position)) {
            outcome.stopped = true;
            break;
        }
        ++outcome.visited;
        const PictureRecord& picture = catalogue[i];
        const auto known = byPath_.find(picture.path);
        if (known != byPath_.end()) {
            looks.push_back(looks_[known->second]);
        } else {
            ++outcome.attempted;
            looks.push_back(lookOfPicture(picture));
        }
        byPath.emplace(picture.path, looks.size() - 1);
        if (hooks.afterPicture) {
            hooks.afterPicture(position);
        }
    }
    if (outcome.stopped) {
        // The looks not reached yet stay known for the next update.
        for (const auto& [path, index] : byPath_) {
            if (byPath.emplace(path, looks.size()).second) {
                looks.push_back(looks_[index]);
            }
        }
    }
    complete_ = !outcome.stopped;
    looks_ = std::move(looks);
    byPath_ = std::move(byPath);
    return outcome;
}

}  // namespace dz
