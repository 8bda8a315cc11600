#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/AnalysisPass.h"
#include "duplicates/PictureLook.h"

#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace dz {

// The looks of a catalogue's pictures for the similar mode, each made from
// its file once: a later update only reads the pictures it has not seen (by
// path), so a second Compare reads no file again.
class PictureLooks {
public:
    // Brings the looks in line with the catalogue, in its order; `attempted`
    // counts the files read. A stopped update keeps what it read.
    AnalysisOutcome update(const std::vector<PictureRecord>& catalogue, const AnalysisHooks& hooks = {});

    // One look for each picture of the catalogue, in its order, once an
    // update went through it all; none after a stopped one.
    std::span<const PictureLook> looks() const { return complete_ ? std::span<const PictureLook>(looks_) : std::span<const PictureLook>(); }

private:
    bool complete_ = false;
    std::vector<PictureLook> looks_;
    std::unordered_map<std::string, std::size_t> byPath_;  // path -> index into looks_
};

// The look of a catalogued picture's own file, in proportion to its size.
PictureLook lookOfPicture(const PictureRecord& picture);

}  // namespace dz
