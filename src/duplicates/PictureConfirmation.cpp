#include "duplicates/PictureConfirmation.h"

#include "duplicates/PictureAnalysis.h"

namespace dz {

PictureConfirmation::PictureConfirmation(const std::vector<PictureRecord>& catalogue, bool similar)
    : catalogue_(catalogue), similar_(similar), looks_(catalogue.size()) {}

bool PictureConfirmation::signatureIsOwn(std::size_t index) const {
    const PictureRecord& picture = catalogue_[index];
    return isAnalysed(picture) && picture.block->exif.thumbnail.empty();
}

const PictureLook& PictureConfirmation::look(std::size_t index) {
    std::optional<PictureLook>& look = looks_[index];
    if (!look) {
        const PictureRecord& picture = catalogue_[index];
        const int width = picture.block ? picture.block->exif.width : 0;
        const int height = picture.block ? picture.block->exif.height : 0;
        look = lookOfFile(picture.path, width, height);
    }
    return *look;
}

bool PictureConfirmation::sameFile(std::size_t a, std::size_t b) {
    const PictureRecord& first = catalogue_[a];
    const PictureRecord& second = catalogue_[b];
    FolderIdentity one;
    FolderIdentity other;
    if (fileSystem_.identify(first.path, one) && fileSystem_.identify(second.path, other) && one == other) {
        return true;
    }
    bool same = false;
    return first.size == second.size && fileSystem_.compareFiles(first.path, second.path, same) && same;
}

bool PictureConfirmation::confirms(std::size_t head, std::size_t member) {
    if (head >= catalogue_.size() || member >= catalogue_.size()) {
        return false;
    }
    if (!similar_ && signatureIsOwn(head) && signatureIsOwn(member)) {
        return true;
    }
    if (sameFile(head, member)) {
        return true;
    }
    const PictureLook& a = look(head);
    const PictureLook& b = look(member);
    if (!a.valid || !b.valid) {
        return false;
    }
    if (similar_) {
        return sameProportions(a, b, kProportionSlack) && lookDifference(a, b) <= kSimilarLookTolerance;
    }
    return a.width == b.width && a.height == b.height && lookDifference(a, b) <= kExactLookTolerance;
}

}  // namespace dz
