#pragma once

// The duplicate comparison done the plain way: every unmarked picture against
// every later one. The fast pass is checked against it.

#include "duplicates/ComparePass.h"
#include "duplicates/SignatureDistance.h"

#include <span>

namespace dz::test {

inline CompareOutcome comparePairwise(std::span<const Signature> signatures) {
    CompareOutcome outcome;
    outcome.marks.assign(signatures.size(), 0);
    for (std::size_t a = 0; a < signatures.size(); ++a) {
        if (outcome.marks[a] != 0) {
            continue;
        }
        DuplicateGroup group{a, {}};
        for (std::size_t b = a + 1; b < signatures.size(); ++b) {
            if (signatureDistance(signatures[a], signatures[b]) == 0.0) {
                ++outcome.duplicates;
                outcome.marks[b] = 1;
                group.members.push_back(b);
            }
        }
        if (!group.members.empty()) {
            outcome.groups.push_back(group);
        }
    }
    return outcome;
}

}  // namespace dz::test
