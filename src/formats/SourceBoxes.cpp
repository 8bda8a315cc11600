#include "formats/SourceBoxes.h"

#include <algorithm>
#include <new>

namespace dz {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

bool SourceBox::is(const char (&name)[5]) const {
    return std::memcmp(type.data(), name, 4) == 0;
}

std::optional<SourceBox> readSourceBox(BoxSource& file, std::uint64_t offset, std::uint64_t limit) {
    std::uint8_t header[16];
    if (limit < offset || limit - offset < 8 || !file.readAt(offset, header, 8)) {
        return std::nullopt;
    }
    SourceBox box;
    std::memcpy(box.type.data(), header + 4, 4);
    std::uint64_t size = be32(header);
    std::uint64_t headerSize = 8;
    if (size == 1) {
        // A 64-bit size follows the type.
        if (limit - offset < 16 || !file.readAt(offset + 8, header + 8, 8)) {
            return std::nullopt;
        }
        size = (std::uint64_t{be32(header + 8)} << 32) | be32(header + 12);
        headerSize = 16;
    } else if (size == 0) {
        size = limit - offset;
    }
    if (size < headerSize || size > limit - offset) {
        return std::nullopt;
    }
    box.payload = offset + headerSize;
    box.end = offset + size;
    return box;
}

bool SourceBoxWalker::next(SourceBox& box) {
    if (broken_ || offset_ >= end_) {
        return false;
    }
    if (count_ == kMaxSourceBoxesPerLevel) {
        broken_ = true;
        return false;
    }
    const std::optional<SourceBox> read = readSourceBox(file_, offset_, end_);
    if (!read) {
        broken_ = true;
        return false;
    }
    ++count_;
    box = *read;
    offset_ = read->end;
    return true;
}

std::optional<SourceBox> findSourceChild(BoxSource& file, std::uint64_t begin, std::uint64_t end,
                                         const char (&type)[5]) {
    SourceBoxWalker walker(file, begin, end);
    SourceBox box;
    while (walker.next(box)) {
        if (box.is(type)) {
            return box;
        }
    }
    return std::nullopt;
}

bool readBoxContents(BoxSource& file, const SourceBox& box, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(box.payloadSize(), limit));
    try {
        bytes.resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return count == 0 || file.readAt(box.payload, bytes.data(), count);
}

}  // namespace dz
