#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/PictureAnalysis.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace dz {

// One group of equal pictures: the earliest in catalogue order, and every
// later one at distance 0.0 from it, in order. Indices into the catalogue
// (or the signatures) the pass ran over.
struct DuplicateGroup {
    std::size_t head = 0;
    std::vector<std::size_t> members;

    bool operator==(const DuplicateGroup&) const = default;
};

// What a window sees of a running comparison. Positions count from 1.
struct CompareHooks {
    // Before each picture; false stops the pass there.
    std::function<bool(int position)> beforePicture;
    // Each group as soon as it is complete, with its 1-based number and the
    // duplicates found so far.
    std::function<void(const DuplicateGroup& group, int groupNumber, int duplicates)> onGroup;
};

struct CompareOutcome {
    std::vector<DuplicateGroup> groups;
    // Pictures marked as duplicates (the members of all groups).
    std::vector<std::int32_t> marks;
    int duplicates = 0;
    bool stopped = false;
};

// Takes each picture in order; one already marked as a duplicate is passed
// over, any other heads a group of every later picture at distance 0.0 from
// it, which are marked. The result is that of comparing each such picture
// with every later one.
CompareOutcome compareSignatures(std::span<const Signature> signatures, const CompareHooks& hooks = {});

// The same over the catalogue: clears every `isDuplicate` first and sets it
// on the members of the groups.
CompareOutcome compareCatalogue(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks = {});

// "### Duplicate nr.%d ###" with the group's number.
std::string duplicateHeading(int groupNumber);
// The heading, the head's path and the members' paths.
std::vector<std::string> groupLines(const DuplicateGroup& group, int groupNumber,
                                    const std::vector<PictureRecord>& catalogue);
// The lines of every group, as the duplicate list shows them.
std::vector<std::string> duplicateListLines(const std::vector<DuplicateGroup>& groups,
                                            const std::vector<PictureRecord>& catalogue);

}  // namespace dz
