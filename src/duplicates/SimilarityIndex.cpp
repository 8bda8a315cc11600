#include "duplicates/SimilarityIndex.h"

#include "duplicates/SignatureDistance.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace dz {

namespace {

// Shares are 0 to 1; anything far beyond came from a damaged session file.
constexpr double kLargestFiledShare = 1e6;
// Cells are kept a hair wider than the threshold so that two signatures
// within it are never two cells apart; that holds while the rounding of a
// share divided by the width stays below the hair, so only shares of at
// most a million widths are filed, and the width never drops below 1e-6
// (wider cells only bring more candidates).
constexpr double kCellSlack = 1.0 + 1e-9;
constexpr double kNarrowestCell = 1e-6;
constexpr double kFarthestCell = 1e6;

}  // namespace

// Neighbouring columns differ in the low bits of one number only; each number
// is mixed whole (the splitmix64 finaliser) so that they spread over the table.
std::uint64_t SimilarityIndex::hashOf(const Column& column) {
    std::uint64_t hash = 0;
    for (const std::int64_t value : column) {
        std::uint64_t x = static_cast<std::uint64_t>(value) + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
        hash ^= x ^ (x >> 31);
    }
    return hash;
}

const SimilarityIndex::Slot* SimilarityIndex::find(const Column& column) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashOf(column) & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.end == 0) {
            return nullptr;
        }
        if (slot.column == column) {
            return &slot;
        }
    }
}

SimilarityIndex::SimilarityIndex(std::span<const Signature> signatures, double threshold)
    : signatures_(signatures),
      threshold_(threshold),
      cellWidth_(std::max(threshold * kCellSlack, kNarrowestCell)),
      cellOfIndex_(signatures.size()),
      filed_(signatures.size(), false) {
    // The axes with the widest spread give the fewest signatures per cell.
    std::array<double, 16> sum{};
    std::array<double, 16> squares{};
    std::size_t counted = 0;
    for (const Signature& s : signatures) {
        if (std::all_of(s.begin(), s.end(), [](double v) { return std::fabs(v) <= kLargestFiledShare; })) {
            for (std::size_t k = 0; k < s.size(); ++k) {
                sum[k] += s[k];
                squares[k] += s[k] * s[k];
            }
            ++counted;
        }
    }
    std::array<std::size_t, 16> order{};
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (counted > 0) {
        const double n = static_cast<double>(counted);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return squares[a] / n - (sum[a] / n) * (sum[a] / n) > squares[b] / n - (sum[b] / n) * (sum[b] / n);
        });
    }
    std::copy_n(order.begin(), kAxes, axes_.begin());

    for (std::size_t i = 0; i < signatures.size(); ++i) {
        if (cellOf(signatures[i], cellOfIndex_[i])) {
            filed_[i] = true;
            byCell_.push_back(i);
        } else {
            unfiled_.push_back(i);
        }
    }
    std::stable_sort(byCell_.begin(), byCell_.end(),
                     [&](std::size_t a, std::size_t b) { return cellOfIndex_[a] < cellOfIndex_[b]; });
    auto columnOf = [&](std::size_t index) {
        const Cell& cell = cellOfIndex_[index];
        return Column{cell[0], cell[1]};
    };
    std::size_t columns = 0;
    for (std::size_t at = 0; at < byCell_.size(); ++at) {
        columns += at == 0 || columnOf(byCell_[at]) != columnOf(byCell_[at - 1]) ? 1 : 0;
    }
    std::size_t size = 16;
    while (size < 2 * columns) {
        size *= 2;
    }
    slots_.assign(size, Slot{});
    const std::size_t mask = size - 1;
    for (std::size_t begin = 0; begin < byCell_.size();) {
        const Column column = columnOf(byCell_[begin]);
        std::size_t end = begin + 1;
        while (end < byCell_.size() && columnOf(byCell_[end]) == column) {
            ++end;
        }
        std::size_t at = hashOf(column) & mask;
        while (slots_[at].end != 0) {
            at = (at + 1) & mask;
        }
        slots_[at] = Slot{column, static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)};
        begin = end;
    }
}

bool SimilarityIndex::cellOf(const Signature& signature, Cell& cell) const {
    for (int a = 0; a < kAxes; ++a) {
        const double place = signature[axes_[static_cast<std::size_t>(a)]] / cellWidth_;
        if (!(std::fabs(place) <= kFarthestCell)) {
            return false;  // NaN too
        }
        cell[static_cast<std::size_t>(a)] = static_cast<std::int64_t>(std::floor(place));
    }
    return true;
}

bool SimilarityIndex::within(std::size_t a, std::size_t b) const {
    return signatureDistance(signatures_[a], signatures_[b]) <= threshold_;
}

void SimilarityIndex::laterMatches(std::size_t index, std::vector<std::size_t>& out) const {
    if (index >= signatures_.size()) {
        return;
    }
    const std::size_t first = out.size();
    if (!filed_[index]) {
        for (std::size_t j = index + 1; j < signatures_.size(); ++j) {
            if (within(index, j)) {
                out.push_back(j);
            }
        }
        return;
    }
    const Cell& home = cellOfIndex_[index];
    for (int step = 0; step < 9; ++step) {
        const Slot* slot = find(Column{home[0] + step % 3 - 1, home[1] + step / 3 - 1});
        if (slot == nullptr) {
            continue;
        }
        const auto begin = byCell_.begin() + slot->begin;
        const auto end = byCell_.begin() + slot->end;
        const auto from = std::partition_point(begin, end, [&](std::size_t j) { return cellOfIndex_[j][2] < home[2] - 1; });
        for (auto j = from; j != end && cellOfIndex_[*j][2] <= home[2] + 1; ++j) {
            if (*j > index && within(index, *j)) {
                out.push_back(*j);
            }
        }
    }
    for (auto j = std::upper_bound(unfiled_.begin(), unfiled_.end(), index); j != unfiled_.end(); ++j) {
        if (within(index, *j)) {
            out.push_back(*j);
        }
    }
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace dz
