#include "duplicates/HashIndex.h"

#include "duplicates/LookHash.h"

#include <algorithm>
#include <array>

namespace dz {

HashIndex::HashIndex(std::span<const PictureLook> looks, int reach)
    : looks_(looks), hashes_(looks.size()), reach_(std::clamp(reach, 0, 64)) {
    for (std::size_t i = 0; i < looks.size(); ++i) {
        hashes_[i] = looks[i].hash;
    }
    // Parts of at most 16 bits keep each table small; more parts, each to be
    // searched within at most one bit, visit fewer values than fewer, wider
    // parts searched within more.
    const int count = std::max(4, reach_ / 2 + 1);
    partReach_ = reach_ / count;
    parts_.resize(static_cast<std::size_t>(count));
    for (int p = 0; p < count; ++p) {
        Part& part = parts_[static_cast<std::size_t>(p)];
        part.shift = 64 * p / count;
        part.width = 64 * (p + 1) / count - part.shift;
        // A counting sort keeps each value's pictures ascending.
        const std::size_t values = std::size_t{1} << part.width;
        part.begin.assign(values + 1, 0);
        for (std::size_t i = 0; i < looks.size(); ++i) {
            if (looks[i].valid) {
                ++part.begin[part.of(hashes_[i]) + 1];
            }
        }
        for (std::size_t v = 0; v < values; ++v) {
            part.begin[v + 1] += part.begin[v];
        }
        part.pictures.resize(part.begin[values]);
        std::vector<std::uint32_t> next(part.begin.begin(), part.begin.end() - 1);
        for (std::size_t i = 0; i < looks.size(); ++i) {
            if (looks[i].valid) {
                part.pictures[next[part.of(hashes_[i])]++] = static_cast<std::uint32_t>(i);
            }
        }
    }
}

void HashIndex::visit(std::size_t index, const Part& part, std::uint32_t value, std::vector<std::size_t>& out) const {
    const auto begin = part.pictures.begin() + part.begin[value];
    const auto end = part.pictures.begin() + part.begin[value + 1];
    const std::uint64_t hash = hashes_[index];
    for (auto j = std::upper_bound(begin, end, static_cast<std::uint32_t>(index)); j != end; ++j) {
        if (hashDistance(hash, hashes_[*j]) <= reach_) {
            out.push_back(*j);
        }
    }
}

void HashIndex::laterMatches(std::size_t index, std::vector<std::size_t>& out) const {
    if (index >= looks_.size() || !looks_[index].valid) {
        return;
    }
    const std::size_t first = out.size();
    // Every value within partReach_ bits of the picture's own part: the
    // flipped bits chosen in rising order.
    std::array<int, 17> flipped{};
    for (const Part& part : parts_) {
        const std::uint32_t own = part.of(hashes_[index]);
        for (int count = 0; count <= std::min(partReach_, part.width); ++count) {
            for (int k = 0; k < count; ++k) {
                flipped[static_cast<std::size_t>(k)] = k;
            }
            while (true) {
                std::uint32_t value = own;
                for (int k = 0; k < count; ++k) {
                    value ^= std::uint32_t{1} << flipped[static_cast<std::size_t>(k)];
                }
                visit(index, part, value, out);
                // The next set of `count` bits out of the part's width.
                int k = count - 1;
                while (k >= 0 && flipped[static_cast<std::size_t>(k)] == part.width - count + k) {
                    --k;
                }
                if (k < 0) {
                    break;
                }
                ++flipped[static_cast<std::size_t>(k)];
                for (int m = k + 1; m < count; ++m) {
                    flipped[static_cast<std::size_t>(m)] = flipped[static_cast<std::size_t>(m - 1)] + 1;
                }
            }
        }
    }
    // A picture near in several parts was found once for each.
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
    out.erase(std::unique(out.begin() + static_cast<std::ptrdiff_t>(first), out.end()), out.end());
}

}  // namespace dz
