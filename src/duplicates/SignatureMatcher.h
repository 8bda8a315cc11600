#pragma once

#include "duplicates/PictureAnalysis.h"

#include <cstddef>
#include <span>
#include <vector>

namespace dz {

// Finds, for one picture, every later picture whose signature lies at
// distance exactly 0.0, without measuring the distance to every picture.
//
// For signatures of ordinary numbers (finite, and 0 or at least 2^-100 in
// size) distance 0.0 means equal shares (0.0 and -0.0 counting as equal), so
// they are sorted into runs of equal signatures once. Any other signature
// (NaN, infinite, or with shares so small that a squared difference rounds
// to 0) is measured against the others one by one, exactly as the distance
// does it, so the answers are those of a comparison of every pair.
class SignatureMatcher {
public:
    // The signatures must outlive the matcher.
    explicit SignatureMatcher(std::span<const Signature> signatures);

    std::size_t size() const { return signatures_.size(); }

    // Appends to `out`, in ascending order, every index after `index` whose
    // signature is at distance exactly 0.0 from that of `index`.
    void laterMatches(std::size_t index, std::vector<std::size_t>& out) const;

    // Signatures that are measured one by one (for tests and benchmarks).
    std::size_t oddCount() const { return odd_.size(); }

private:
    bool isOdd(std::size_t index) const { return runOf_[index] == kOdd; }
    bool matches(std::size_t a, std::size_t b) const;

    static constexpr std::size_t kOdd = static_cast<std::size_t>(-1);

    std::span<const Signature> signatures_;
    std::vector<std::size_t> sorted_;    // ordinary signatures by value, then index
    std::vector<std::size_t> rankOf_;    // index -> place in sorted_
    std::vector<std::size_t> runOf_;     // index -> end of its run in sorted_, or kOdd
    std::vector<std::size_t> odd_;       // the others, ascending
};

}  // namespace dz
