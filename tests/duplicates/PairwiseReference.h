#pragma once

// The duplicate comparison done the plain way: every unmarked picture against
// every later one (in the similar mode, every later unmarked one). The fast
// pass is checked against it.

#include "duplicates/ComparePass.h"
#include "duplicates/SignatureDistance.h"

#include <span>

namespace dz::test {

inline CompareOutcome comparePairwise(std::span<const Signature> signatures, const CompareRule& rule = {}) {
    CompareOutcome outcome;
    outcome.marks.assign(signatures.size(), 0);
    for (std::size_t a = 0; a < signatures.size(); ++a) {
        if (outcome.marks[a] != 0) {
            continue;
        }
        DuplicateGroup group{a, {}, {}};
        for (std::size_t b = a + 1; b < signatures.size(); ++b) {
            const double distance = signatureDistance(signatures[a], signatures[b]);
            const bool near = rule.threshold > 0.0 ? distance <= rule.threshold : distance == 0.0;
            const bool free = rule.threshold <= 0.0 || outcome.marks[b] == 0;
            if (near && free && (!rule.confirm || rule.confirm(a, b))) {
                group.members.push_back(b);
                group.distances.push_back(distance);
            }
        }
        for (const std::size_t b : group.members) {
            outcome.marks[b] = 1;
        }
        outcome.duplicates += static_cast<int>(group.members.size());
        if (!group.members.empty()) {
            outcome.groups.push_back(group);
        }
    }
    return outcome;
}

}  // namespace dz::test
