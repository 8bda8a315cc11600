#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/PictureAnalysis.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace dz {

// One group of equal (or, in the similar mode, alike) pictures: the earliest
// in catalogue order, and every later one found with it, in order. Indices
// into the catalogue (or the signatures) the pass ran over.
struct DuplicateGroup {
    std::size_t head = 0;
    std::vector<std::size_t> members;
    // Each member's signature distance to the head.
    std::vector<double> distances;

    // The same pictures; the distances follow from them.
    bool operator==(const DuplicateGroup& other) const { return head == other.head && members == other.members; }
};

// What a window sees of a running comparison. Positions count from 1.
struct CompareHooks {
    // Before each picture; false stops the pass there.
    std::function<bool(int position)> beforePicture;
    // Each group as soon as it is complete, with its 1-based number and the
    // duplicates found so far.
    std::function<void(const DuplicateGroup& group, int groupNumber, int duplicates)> onGroup;
};

// Which pictures the pass puts together.
struct CompareRule {
    // 0.0 asks for equal signatures, as the duplicate search always did; the
    // similar mode takes every picture within this distance.
    double threshold = 0.0;
    // Whether `member`, found beside `head` by its signature, is taken into
    // the group; empty takes every one.
    std::function<bool(std::size_t head, std::size_t member)> confirm;
};

// The similar mode's distance when none is given: above every re-encode and
// resize of a camera picture measured, below every other picture of the
// same scene or camera.
inline constexpr double kDefaultSimilarThreshold = 1.2e-3;

struct CompareOutcome {
    std::vector<DuplicateGroup> groups;
    // Pictures marked as duplicates (the members of all groups).
    std::vector<std::int32_t> marks;
    int duplicates = 0;
    bool stopped = false;
};

// Takes each picture in order; one already marked as a duplicate is passed
// over, any other heads a group of every later unmarked picture that the
// rule puts with it, which are marked. The result is that of comparing each
// such picture with every later one.
CompareOutcome compareSignatures(std::span<const Signature> signatures, const CompareHooks& hooks = {},
                                 const CompareRule& rule = {});

// The same over the catalogue: clears every `isDuplicate` first and sets it
// on the members of the groups. A candidate is only taken once the pictures'
// own files confirm it (see PictureConfirmation.h): in the exact mode where
// either signature may not describe its file, in the similar mode always.
CompareOutcome compareCatalogue(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks = {},
                                double threshold = 0.0);

// "### Duplicate nr.%d ###" with the group's number.
std::string duplicateHeading(int groupNumber);
// The heading, the head's path and the members' paths.
std::vector<std::string> groupLines(const DuplicateGroup& group, int groupNumber,
                                    const std::vector<PictureRecord>& catalogue, bool distances = false);
// A member's line in the similar mode: its path and its distance to the head.
std::string similarMemberLine(const std::string& path, double distance);
// The lines of every group, as the duplicate list shows them; with
// `distances` each member's line carries its distance to the head.
std::vector<std::string> duplicateListLines(const std::vector<DuplicateGroup>& groups,
                                            const std::vector<PictureRecord>& catalogue, bool distances = false);

}  // namespace dz
