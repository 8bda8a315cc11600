#include "duplicates/ComparePass.h"

#include "duplicates/PictureConfirmation.h"
#include "duplicates/SignatureDistance.h"
#include "duplicates/SignatureMatcher.h"
#include "duplicates/SimilarityIndex.h"

#include <cstdio>
#include <limits>
#include <optional>

namespace dz {

CompareOutcome compareSignatures(std::span<const Signature> signatures, const CompareHooks& hooks,
                                 const CompareRule& rule) {
    CompareOutcome outcome;
    outcome.marks.assign(signatures.size(), 0);
    std::optional<SignatureMatcher> equal;
    std::optional<SimilarityIndex> alike;
    if (rule.threshold > 0.0) {
        alike.emplace(signatures, rule.threshold);
    } else {
        equal.emplace(signatures);
    }
    std::vector<std::size_t> matches;
    for (std::size_t a = 0; a < signatures.size(); ++a) {
        if (hooks.beforePicture && !hooks.beforePicture(static_cast<int>(a) + 1)) {
            outcome.stopped = true;
            return outcome;
        }
        if (outcome.marks[a] != 0) {
            continue;
        }
        matches.clear();
        if (alike) {
            alike->laterMatches(a, matches);
        } else {
            equal->laterMatches(a, matches);
        }
        // A candidate the rule does not confirm may still head a group of its
        // own. Alike pictures are not alike in chains, so there a picture
        // already in a group stays in that one; equal ones are listed under
        // every head they equal.
        DuplicateGroup group{a, {}, {}};
        for (const std::size_t b : matches) {
            if ((!alike || outcome.marks[b] == 0) && (!rule.confirm || rule.confirm(a, b))) {
                group.members.push_back(b);
                group.distances.push_back(signatureDistance(signatures[a], signatures[b]));
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

CompareOutcome compareCatalogue(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks, double threshold) {
    std::vector<Signature> signatures;
    signatures.reserve(catalogue.size());
    for (PictureRecord& picture : catalogue) {
        picture.isDuplicate = 0;
        // Alike pictures are measured by their own pixels (made beforehand by
        // analyseOwnPixelsOfCatalogue), equal ones as they were analysed. A
        // picture whose pixels never decoded is alike to none: its NaNs are
        // within no distance.
        if (threshold <= 0.0) {
            signatures.push_back(picture.block ? picture.block->signature : Signature{});
        } else if (hasOwnSignature(picture)) {
            signatures.push_back(picture.block->ownSignature);
        } else {
            Signature none;
            none.fill(std::numeric_limits<double>::quiet_NaN());
            signatures.push_back(none);
        }
    }
    // Marks go on the records as each group is found, so a pass that stops
    // leaves the marks of the groups it listed.
    CompareHooks marking = hooks;
    marking.onGroup = [&](const DuplicateGroup& group, int number, int duplicates) {
        for (const std::size_t b : group.members) {
            catalogue[b].isDuplicate = 1;
        }
        if (hooks.onGroup) {
            hooks.onGroup(group, number, duplicates);
        }
    };
    PictureConfirmation confirmation(catalogue, threshold > 0.0);
    CompareRule rule;
    rule.threshold = threshold;
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
