#include "duplicates/PictureConfirmation.h"

#include "duplicates/PictureAnalysis.h"
#include "duplicates/PictureLooks.h"

namespace dz {

PictureConfirmation::PictureConfirmation(const std::vector<PictureRecord>& catalogue) : catalogue_(catalogue) {}

bool PictureConfirmation::signatureIsOwn(std::size_t index) const {
    const PictureRecord& picture = catalogue_[index];
    return isAnalysed(picture) && picture.block->exif.thumbnail.empty();
}

const PictureLook& PictureConfirmation::look(std::size_t index) {
    const auto known = looks_.find(index);
    if (known != looks_.end()) {
        return known->second;
    }
    return looks_.emplace(index, lookOfPicture(catalogue_[index])).first->second;
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
    if (signatureIsOwn(head) && signatureIsOwn(member)) {
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
    return a.width == b.width && a.height == b.height && lookDifference(a, b) <= kExactLookTolerance;
}

}  // namespace dz
