#include "duplicates/ComparePass.h"

#include "duplicates/SignatureMatcher.h"

#include <cstdio>

namespace dz {

CompareOutcome compareSignatures(std::span<const Signature> signatures, const CompareHooks& hooks) {
    CompareOutcome outcome;
    outcome.marks.assign(signatures.size(), 0);
    const SignatureMatcher matcher(signatures);
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
        matcher.laterMatches(a, matches);
        if (matches.empty()) {
            continue;
        }
        for (const std::size_t b : matches) {
            outcome.marks[b] = 1;
        }
        outcome.duplicates += static_cast<int>(matches.size());
        outcome.groups.push_back(DuplicateGroup{a, matches});
        if (hooks.onGroup) {
            hooks.onGroup(outcome.groups.back(), static_cast<int>(outcome.groups.size()), outcome.duplicates);
        }
    }
    return outcome;
}

CompareOutcome compareCatalogue(std::vector<PictureRecord>& catalogue, const CompareHooks& hooks) {
    std::vector<Signature> signatures;
    signatures.reserve(catalogue.size());
    for (PictureRecord& picture : catalogue) {
        picture.isDuplicate = 0;
        signatures.push_back(picture.block ? picture.block->signature : Signature{});
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
    return compareSignatures(signatures, marking);
}

std::string duplicateHeading(int groupNumber) {
    char text[64];
    std::snprintf(text, sizeof text, "### Duplicate nr.%d ###", groupNumber);
    return text;
}

std::vector<std::string> groupLines(const DuplicateGroup& group, int groupNumber,
                                    const std::vector<PictureRecord>& catalogue) {
    std::vector<std::string> lines;
    lines.reserve(group.members.size() + 2);
    lines.push_back(duplicateHeading(groupNumber));
    lines.push_back(catalogue.at(group.head).path);
    for (const std::size_t b : group.members) {
        lines.push_back(catalogue.at(b).path);
    }
    return lines;
}

std::vector<std::string> duplicateListLines(const std::vector<DuplicateGroup>& groups,
                                            const std::vector<PictureRecord>& catalogue) {
    std::vector<std::string> lines;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<std::string> more = groupLines(groups[g], static_cast<int>(g) + 1, catalogue);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    return lines;
}

}  // namespace dz
