#pragma once

#include "formats/BoxSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace dz {

// A box of an ISO base media file read from a source by its header alone:
// where its contents start and where it ends, both within its parent.
struct SourceBox {
    std::array<char, 4> type{};
    std::uint64_t payload = 0;  // offset of the contents
    std::uint64_t end = 0;      // offset after the box

    bool is(const char (&name)[5]) const;
    std::uint64_t payloadSize() const { return end - payload; }
};

// Boxes looked at on one level, so that a file of tiny boxes ends soon.
inline constexpr int kMaxSourceBoxesPerLevel = 4096;

// The box at `offset` within a parent ending at `limit`; none when its header
// does not fit there or it claims to reach beyond `limit`. A size of 0 runs
// to `limit`, as the format allows.
std::optional<SourceBox> readSourceBox(BoxSource& file, std::uint64_t offset, std::uint64_t limit);

// The boxes side by side in [begin, end), at most kMaxSourceBoxesPerLevel of
// them. A box that does not fit ends the walk as broken.
class SourceBoxWalker {
public:
    SourceBoxWalker(BoxSource& file, std::uint64_t begin, std::uint64_t end)
        : file_(file), offset_(begin), end_(end) {}
    SourceBoxWalker(BoxSource& file, const SourceBox& parent) : SourceBoxWalker(file, parent.payload, parent.end) {}

    bool next(SourceBox& box);
    bool broken() const { return broken_; }
    // Bytes of the range not walked yet.
    std::uint64_t left() const { return end_ - offset_; }

private:
    BoxSource& file_;
    std::uint64_t offset_;
    std::uint64_t end_;
    int count_ = 0;
    bool broken_ = false;
};

// The first child of the given type within [begin, end).
std::optional<SourceBox> findSourceChild(BoxSource& file, std::uint64_t begin, std::uint64_t end,
                                         const char (&type)[5]);

// Up to `limit` bytes of the box's contents from its start (fewer when it is
// smaller); false when the source cannot give them.
bool readBoxContents(BoxSource& file, const SourceBox& box, std::size_t limit, std::vector<std::uint8_t>& bytes);

}  // namespace dz
