#pragma once

#include "catalogue/PictureRecord.h"
#include "duplicates/PictureAnalysis.h"
#include "duplicates/PictureLook.h"

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
    // Each member's distance to the head: of signatures in the exact mode, of
    // looks (see lookDistance) in the similar mode.
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

// Which pictures the exact pass puts together.
struct CompareRule {
    // Whether `member`, found beside `head` by its signature, is taken into
    // the group; empty takes every one.
    std::function<bool(std::size_t head, std::size_t member)> confirm;
};

// The similar mode's look distance when none is given: above every
// re-encode and resize of the camera and phone pictures measured (at most
// 0.0031), below every crop, inversion or other exposure of them (at least
// 0.0072) and every distinct picture (0.04).
inline constexpr double kDefaultSimilarThreshold = 0.005;

struct CompareOutcome {
    std::vector<DuplicateGroup> groups;
    // Pictures marked as duplicates (the members of all groups).
    std::vector<std::int32_t> marks;
    int duplicates = 0;
    bool stopped = false;
};

// Takes each picture in order; one already marked as a duplicate is passed
// over, any other heads a group of every later picture whose signature
// equals its own and that the rule confirms, which are marked. The result is
// that of comparing each such picture with every later one.
CompareOutcome compareSignatures(std::span<const Signature> signatures, const CompareHooks& hooks = {},
                                 const CompareRule& rule = {});

// The similar mode over looks: each picture not yet in a group heads one of
// every later picture not yet in a group whose look is alike to its own
// (looksAlike within `threshold`). Candidates are found by their hashes, so
// the result is that of measuring every pair whose hashes lie within
// kSimilarHashReach bits.
CompareOutcome compareLooks(std::span<const PictureLook> looks, const CompareHooks& hooks, double threshold);

// The same over the catalogue: clears every `isDuplicate` first and sets it
// on the members of the groups. With `threshold` 0 the exact mode: a
// candidate is only taken once the pictures' own files confirm it (see
// PictureConfirmation.h) where either signature may not describe its file.
// Above 0 the similar mode over `looks`, one for each picture in catalogue
// order (see PictureLooks.h); without them the pass makes them itself.
CompareOutcome compareCatalogue(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks = {},
                                double threshold = 0.0, std::span<const PictureLook> looks = {});

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
