#pragma once

#include "duplicates/PictureLook.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dz {

// Finds, for one picture, every later picture whose look hash differs from
// its own in at most `reach` bits, without measuring every pair.
//
// The 64 bits are cut into reach / 2 + 1 parts (at least four). Two hashes
// within the reach differ in at most one bit of one part at least (in no
// more than reach / parts bits, in general), so each picture is filed by
// each part, and the pictures near one are among those filed under a value
// that close to one of its parts; each of those is measured whole. A look
// that never decoded is filed nowhere and near no picture. The answers are
// those of measuring every pair.
class HashIndex {
public:
    // The looks must outlive the index; `reach` is 0 to 64.
    HashIndex(std::span<const PictureLook> looks, int reach);

    std::size_t size() const { return looks_.size(); }

    // Appends to `out`, in ascending order, every index after `index` whose
    // hash is within the reach of that of `index`.
    void laterMatches(std::size_t index, std::vector<std::size_t>& out) const;

private:
    // The pictures filed by one part of the hash, bits [shift, shift +
    // width): those whose part holds value v are pictures[begin[v],
    // begin[v + 1]), ascending.
    struct Part {
        int shift = 0;
        int width = 0;
        std::vector<std::uint32_t> begin;
        std::vector<std::uint32_t> pictures;

        std::uint32_t of(std::uint64_t hash) const {
            return static_cast<std::uint32_t>((hash >> shift) & ((std::uint64_t{1} << width) - 1));
        }
    };

    void visit(std::size_t index, const Part& part, std::uint32_t value, std::vector<std::size_t>& out) const;

    std::span<const PictureLook> looks_;
    // The hashes side by side: a look is a kilobyte, so reading each one's
    // hash from it would cost a cache miss a candidate.
    std::vector<std::uint64_t> hashes_;
    int reach_;
    int partReach_;  // bits by which a near picture's part may differ, in one part at least
    std::vector<Part> parts_;
};

}  // namespace dz
