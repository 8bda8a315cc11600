#include "duplicates/SignatureMatcher.h"

#include "duplicates/SignatureDistance.h"

#include <algorithm>
#include <cmath>

namespace dz {

namespace {

// Two different such numbers differ by at least 2^-153, whose square is far
// above the smallest double, so their squared difference is never 0.
bool isOrdinary(double share) {
    return std::isfinite(share) && (share == 0.0 || std::fabs(share) >= 0x1p-100);
}

bool isOrdinary(const Signature& s) {
    return std::all_of(s.begin(), s.end(), [](double share) { return isOrdinary(share); });
}

// Lexicographic order of the shares; 0.0 and -0.0 compare equal here, as
// they do in the distance.
bool lessShares(const Signature& a, const Signature& b) {
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (a[k] < b[k]) {
            return true;
        }
        if (b[k] < a[k]) {
            return false;
        }
    }
    return false;
}

bool sameShares(const Signature& a, const Signature& b) {
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (!(a[k] == b[k])) {
            return false;
        }
    }
    return true;
}

}  // namespace

SignatureMatcher::SignatureMatcher(std::span<const Signature> signatures)
    : signatures_(signatures), rankOf_(signatures.size(), 0), runOf_(signatures.size(), kOdd) {
    sorted_.reserve(signatures.size());
    for (std::size_t i = 0; i < signatures.size(); ++i) {
        if (isOrdinary(signatures[i])) {
            sorted_.push_back(i);
        } else {
            odd_.push_back(i);
        }
    }
    std::sort(sorted_.begin(), sorted_.end(), [&](std::size_t a, std::size_t b) {
        if (lessShares(signatures_[a], signatures_[b])) {
            return true;
        }
        if (lessShares(signatures_[b], signatures_[a])) {
            return false;
        }
        return a < b;
    });
    std::size_t start = 0;
    while (start < sorted_.size()) {
        std::size_t end = start + 1;
        while (end < sorted_.size() && sameShares(signatures_[sorted_[start]], signatures_[sorted_[end]])) {
            ++end;
        }
        for (std::size_t r = start; r < end; ++r) {
            rankOf_[sorted_[r]] = r;
            runOf_[sorted_[r]] = end;
        }
        start = end;
    }
}

bool SignatureMatcher::matches(std::size_t a, std::size_t b) const {
    return signatureDistance(signatures_[a], signatures_[b]) == 0.0;
}

void SignatureMatcher::laterMatches(std::size_t index, std::vector<std::size_t>& out) const {
    if (index >= signatures_.size()) {
        return;
    }
    if (isOdd(index)) {
        for (std::size_t j = index + 1; j < signatures_.size(); ++j) {
            if (matches(index, j)) {
                out.push_back(j);
            }
        }
        return;
    }
    // The rest of its run lies after it, since a run is in index order; odd
    // signatures after it are merged in where they match.
    const std::size_t first = out.size();
    out.insert(out.end(), sorted_.begin() + static_cast<std::ptrdiff_t>(rankOf_[index]) + 1,
               sorted_.begin() + static_cast<std::ptrdiff_t>(runOf_[index]));
    const std::size_t runEnd = out.size();
    auto later = std::upper_bound(odd_.begin(), odd_.end(), index);
    for (; later != odd_.end(); ++later) {
        if (matches(index, *later)) {
            out.push_back(*later);
        }
    }
    if (out.size() != runEnd && runEnd != first) {
        std::inplace_merge(out.begin() + static_cast<std::ptrdiff_t>(first),
                           out.begin() + static_cast<std::ptrdiff_t>(runEnd), out.end());
    }
}

}  // namespace dz
