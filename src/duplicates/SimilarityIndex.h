#pragma once

#include "duplicates/PictureAnalysis.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dz {

// Finds, for one picture, every later picture whose signature lies within a
// distance of it, without measuring the distance to every picture.
//
// Signatures are filed in a grid over the three shares that vary most, its
// cells as wide as the threshold: two signatures within the threshold differ
// by at most that much in every share, so they sit in the same or touching
// cells. The table holds columns of cells over the first two shares, each
// column ordered by the third, so the 27 cells around a signature are nine
// runs of a small table. Signatures that cannot be filed (NaN, infinite or
// far outside the range of shares on those axes) are measured against every
// later one instead. The answers are those of measuring every pair.
class SimilarityIndex {
public:
    // The signatures must outlive the index; `threshold` is at least 0.
    SimilarityIndex(std::span<const Signature> signatures, double threshold);

    std::size_t size() const { return signatures_.size(); }

    // Appends to `out`, in ascending order, every index after `index` whose
    // signature is at most the threshold away from that of `index`.
    void laterMatches(std::size_t index, std::vector<std::size_t>& out) const;

private:
    static constexpr int kAxes = 3;
    using Cell = std::array<std::int64_t, kAxes>;
    using Column = std::array<std::int64_t, 2>;
    // One occupied column of the open-addressed table: its signatures are
    // byCell_[begin, end), by their third cell number, then ascending.
    struct Slot {
        Column column{};
        std::uint32_t begin = 0;
        std::uint32_t end = 0;  // 0: an empty slot
    };

    static std::uint64_t hashOf(const Column& column);
    bool cellOf(const Signature& signature, Cell& cell) const;
    const Slot* find(const Column& column) const;
    bool within(std::size_t a, std::size_t b) const;

    std::span<const Signature> signatures_;
    double threshold_;
    double cellWidth_;
    std::array<std::size_t, kAxes> axes_{};
    std::vector<Slot> slots_;            // a power of two, at most half full
    std::vector<std::size_t> byCell_;    // filed indices by cell, ascending within one
    std::vector<Cell> cellOfIndex_;
    std::vector<bool> filed_;
    std::vector<std::size_t> unfiled_;  // ascending
};

}  // namespace dz
