#pragma once

// The duplicate comparison done the plain way: every unmarked picture against
// every later one (in the similar mode, every later unmarked one). The fast
// pass is checked against it.

#include "duplicates/ComparePass.h"
#include "duplicates/LookHash.h"
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
            if (distance == 0.0 && (!rule.confirm || rule.confirm(a, b))) {
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

// The similar mode the same way: every pair of pictures not yet in a group
// whose hashes lie within the reach is measured.
inline CompareOutcome comparePairwiseLooks(std::span<const PictureLook> looks, double threshold) {
    CompareOutcome outcome;
    outcome.marks.assign(looks.size(), 0);
    for (std::size_t a = 0; a < looks.size(); ++a) {
        if (outcome.marks[a] != 0 || !looks[a].valid) {
            continue;
        }
        DuplicateGroup group{a, {}, {}};
        for (std::size_t b = a + 1; b < looks.size(); ++b) {
            if (outcome.marks[b] == 0 && looks[b].valid && hashDistance(looks[a].hash, looks[b].hash) <= kSimilarHashReach &&
                looksAlike(looks[a], looks[b], threshold)) {
                group.members.push_back(b);
                group.distances.push_back(lookDistance(looks[a], looks[b]));
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
