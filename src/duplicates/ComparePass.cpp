#include "duplicates/ComparePass.h"

#include "duplicates/HashIndex.h"
#include "duplicates/LookHash.h"
#include "duplicates/PictureConfirmation.h"
#include "duplicates/PictureLooks.h"
#include "duplicates/SignatureDistance.h"
#include "duplicates/SignatureMatcher.h"

#include <cstdio>
#include <optional>

namespace dz {

namespace {

// Finds the later candidates of one picture.
using Candidates = std::function<void(std::size_t index, std::vector<std::size_t>& out)>;
// The distance of a candidate taken into the head's group; none when it is not.
using Taken = std::function<std::optional<double>(std::size_t head, std::size_t member)>;

// The one walk of both modes. Alike pictures are not alike in chains, so in
// the similar mode a picture already in a group stays in that one; equal ones
// are listed under every head they equal. A candidate not taken may still
// head a group of its own.
CompareOutcome groupPictures(std::size_t count, const CompareHooks& hooks, const Candidates& candidates,
                             const Taken& taken, bool alike) {
    CompareOutcome outcome;
    outcome.marks.assign(count, 0);
    std::vector<std::size_t> matches;
    for (std::size_t a = 0; a < count; ++a) {
        if (hooks.beforePicture && !hooks.beforePicture(static_cast<int>(a) + 1)) {
            outcome.stopped = true;
            return outcome;
        }
        if (outcome.marks[a] != 0) {
            continue;
        }
        matches.clear();
        candidates(a, matches);
        DuplicateGroup group{a, {}, {}};
        for (const std::size_t b : matches) {
            if (alike && outcome.marks[b] != 0) {
                continue;
            }
            if (const std::optional<double> distance = taken(a, b)) {
                group.members.push_back(b);
                group.distances.push_back(*distance);
            }
        }
        if (group.members.empty()) {
            continue;
        }
        for (const std::size_t b : group.members) {
            outcome.marks[b] = 1;
        }
        outcome.duplicates += static_cast<int>(group.members.size());
        outcome.groups.push_back(std::move(group));
        if (hooks.onGroup) {
            hooks.onGroup(outcome.groups.back(), static_cast<int>(outcome.groups.size()), outcome.duplicates);
        }
    }
    return outcome;
}

// Marks go on the records as each group is found, so a pass that stops
// leaves the marks of the groups it listed.
CompareHooks markingHooks(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks) {
    CompareHooks marking = hooks;
    marking.onGroup = [&catalogue, hooks](const DuplicateGroup& group, int number, int duplicates) {
        for (const std::size_t b : group.members) {
            catalogue[b].isDuplicate = 1;
        }
        if (hooks.onGroup) {
            hooks.onGroup(group, number, duplicates);
        }
    };
    return marking;
}

}  // namespace

CompareOutcome compareSignatures(std::span<const Signature> signatures, const CompareHooks& hooks,
                                 const CompareRule& rule) {
    const SignatureMatcher equal(signatures);
    return groupPictures(
        signatures.size(), hooks, [&](std::size_t a, std::vector<std::size_t>& out) { equal.laterMatches(a, out); },
        [&](std::size_t a, std::size_t b) -> std::optional<double> {
            if (rule.confirm && !rule.confirm(a, b)) {
                return std::nullopt;
            }
            return signatureDistance(signatures[a], signatures[b]);
        },
        false);
}

CompareOutcome compareLooks(std::span<const PictureLook> looks, const CompareHooks& hooks, double threshold) {
    const HashIndex near(looks, kSimilarHashReach);
    return groupPictures(
        looks.size(), hooks, [&](std::size_t a, std::vector<std::size_t>& out) { near.laterMatches(a, out); },
        [&](std::size_t a, std::size_t b) -> std::optional<double> {
            if (!looksAlike(looks[a], looks[b], threshold)) {
                return std::nullopt;
            }
            return lookDistance(looks[a], looks[b]);
        },
        true);
}

CompareOutcome compareCatalogue(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks, double threshold,
                                std::span<const PictureLook> looks) {
    for (PictureRecord& picture : catalogue) {
        picture.isDuplicate = 0;
    }
    const CompareHooks marking = markingHooks(catalogue, hooks);
    if (threshold > 0.0) {
        // Alike pictures are measured by their own pixels, never by an
        // embedded thumbnail that an editor may have left behind.
        if (looks.size() == catalogue.size()) {
            return compareLooks(looks, marking, threshold);
        }
        PictureLooks made;
        made.update(catalogue);
        return compareLooks(made.looks(), marking, threshold);
    }
    std::vector<Signature> signatures;
    signatures.reserve(catalogue.size());
    for (const PictureRecord& picture : catalogue) {
        signatures.push_back(picture.block ? picture.block->signature : Signature{});
    }
    PictureConfirmation confirmation(catalogue);
    CompareRule rule;
    rule.confirm = [&](std::size_t head, std::size_t member) { return confirmation.confirms(head, member); };
    return compareSignatures(signatures, marking, rule);
}

std::string duplicateHeading(int groupNumber) {
    char text[64];
    std::snprintf(text, sizeof text, "### Duplicate nr.%d ###", groupNumber);
    return text;
}

std::string similarMemberLine(const std::string& path, double distance) {
    char text[48];
    std::snprintf(text, sizeof text, "   (distance %.6f)", distance);
    return path + text;
}

std::vector<std::string> groupLines(const DuplicateGroup& group, int groupNumber,
                                    const std::vector<PictureRecord>& catalogue, bool distances) {
    std::vector<std::string> lines;
    lines.reserve(group.members.size() + 2);
    lines.push_back(duplicateHeading(groupNumber));
    lines.push_back(catalogue.at(group.head).path);
    for (std::size_t m = 0; m < group.members.size(); ++m) {
        const std::string& path = catalogue.at(group.members[m]).path;
        lines.push_back(distances && m < group.distances.size() ? similarMemberLine(path, group.distances[m]) : path);
    }
    return lines;
}

std::vector<std::string> duplicateListLines(const std::vector<DuplicateGroup>& groups,
                                            const std::vector<PictureRecord>& catalogue, bool distances) {
    std::vector<std::string> lines;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<std::string> more = groupLines(groups[g], static_cast<int>(g) + 1, catalogue, distances);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    return lines;
}

}  // namespace dz
