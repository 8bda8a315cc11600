#include "app/SessionExtras.h"

#include <algorithm>
#include <array>

namespace dz {

namespace {

// Its last byte is not zero, and a picture record always ends with one: a
// file of the first layout cannot end with the mark.
constexpr std::array<std::uint8_t, 8> kMark{'D', 'Z', 'S', 'E', 'S', 'X', 'T', '1'};
constexpr std::uint32_t kBlockVersion = 1;
constexpr std::size_t kTrailerBytes = 4 + 4 + kMark.size();
constexpr std::size_t kRecordHeadBytes = 2 + 4;

enum Tag : std::uint16_t {
    kDateRulesTag = 1,
    // Pairs of album id and naming, eight bytes each.
    kAlbumNamingsTag = 2,
};

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t get32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void putRecord(std::vector<std::uint8_t>& out, Tag tag, const std::vector<std::uint8_t>& value) {
    put16(out, tag);
    put32(out, static_cast<std::uint32_t>(value.size()));
    out.insert(out.end(), value.begin(), value.end());
}

// One record's value into `session`; false when a known tag's value is wrong.
bool readRecord(std::uint16_t tag, std::span<const std::uint8_t> value, SessionFile& session) {
    switch (tag) {
    case kDateRulesTag: {
        if (value.size() != 4 || !isKnownDateRules(get32(value, 0))) {
            return false;
        }
        session.dateRules = static_cast<DateRules>(get32(value, 0));
        return true;
    }
    case kAlbumNamingsTag: {
        if (value.size() % 8 != 0) {
            return false;
        }
        for (std::size_t at = 0; at < value.size(); at += 8) {
            const std::uint32_t naming = get32(value, at + 4);
            if (naming > static_cast<std::uint32_t>(AlbumNaming::Sortable)) {
                return false;
            }
            session.namings.emplace_back(static_cast<std::int32_t>(get32(value, at)), static_cast<AlbumNaming>(naming));
        }
        return true;
    }
    default:
        // A later program's field.
        return true;
    }
}

}  // namespace

void appendSessionExtras(const SessionFile& session, std::vector<std::uint8_t>& bytes) {
    const std::size_t start = bytes.size();
    std::vector<std::uint8_t> rules;
    put32(rules, static_cast<std::uint32_t>(session.dateRules));
    putRecord(bytes, kDateRulesTag, rules);
    std::vector<std::uint8_t> namings;
    for (const Album& album : session.albums) {
        put32(namings, static_cast<std::uint32_t>(album.id));
        put32(namings, static_cast<std::uint32_t>(album.naming));
    }
    putRecord(bytes, kAlbumNamingsTag, namings);
    put32(bytes, static_cast<std::uint32_t>(bytes.size() - start));
    put32(bytes, kBlockVersion);
    bytes.insert(bytes.end(), kMark.begin(), kMark.end());
}

std::optional<std::size_t> readSessionExtras(std::span<const std::uint8_t> bytes, SessionFile& session) {
    if (bytes.size() < kTrailerBytes || !std::equal(kMark.begin(), kMark.end(), bytes.end() - kMark.size())) {
        session.dateRules = DateRules::AsFirstMade;
        return bytes.size();
    }
    const std::size_t trailer = bytes.size() - kTrailerBytes;
    const std::uint32_t length = get32(bytes, trailer);
    if (length > trailer || get32(bytes, trailer + 4) < 1) {
        return std::nullopt;
    }
    const std::size_t start = trailer - length;
    std::span<const std::uint8_t> block = bytes.subspan(start, length);
    while (!block.empty()) {
        if (block.size() < kRecordHeadBytes) {
            return std::nullopt;
        }
        const auto tag = static_cast<std::uint16_t>(block[0] | (block[1] << 8));
        const std::uint32_t size = get32(block, 2);
        block = block.subspan(kRecordHeadBytes);
        if (size > block.size() || !readRecord(tag, block.first(size), session)) {
            return std::nullopt;
        }
        block = block.subspan(size);
    }
    return start;
}

}  // namespace dz
