#include "formats/MovieMetadata.h"

#include "formats/IsoBoxes.h"

#include <algorithm>
#include <cstring>

namespace dz {

namespace {

// Keys and texts beyond these are no camera's metadata.
constexpr std::uint32_t kMaxKeys = 1024;
constexpr std::size_t kMaxKeyBytes = 256;
constexpr std::size_t kMaxTextBytes = 256;
constexpr std::size_t kMaxTags = 1024;
// The value type of a "data" box that holds UTF-8 text.
constexpr std::uint32_t kUtf8Value = 1;

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint32_t typeNumber(const IsoBox& box) {
    return be32(reinterpret_cast<const std::uint8_t*>(box.type.data()));
}

// The bytes up to the first NUL, at most `limit` of them.
std::string textOf(const std::uint8_t* bytes, std::size_t count, std::size_t limit) {
    const std::size_t length = std::min(count, limit);
    const auto* end = static_cast<const std::uint8_t*>(std::memchr(bytes, 0, length));
    return std::string(reinterpret_cast<const char*>(bytes), end ? static_cast<std::size_t>(end - bytes) : length);
}

void addTag(MovieTags& tags, std::string key, std::string text) {
    if (key.empty() || text.empty() || tags.size() >= kMaxTags) {
        return;
    }
    const bool known = std::any_of(tags.begin(), tags.end(), [&](const auto& tag) { return tag.first == key; });
    if (!known) {
        tags.emplace_back(std::move(key), std::move(text));
    }
}

// The UTF-8 text of an item's first "data" box: type, locale, then the value.
std::string itemText(const IsoBox& item) {
    IsoBoxWalker walker(item);
    IsoBox data;
    while (walker.next(data)) {
        if (!data.is("data")) {
            continue;
        }
        if (data.bodySize < 8 || (be32(data.body) & 0x00FFFFFF) != kUtf8Value) {
            return {};
        }
        return textOf(data.body + 8, data.bodySize - 8, kMaxTextBytes);
    }
    return {};
}

// The names of a "keys" box, in order: its items are numbered from 1.
std::vector<std::string> keyNames(const IsoBox& keys) {
    std::vector<std::string> names;
    if (keys.bodySize < 8) {
        return names;
    }
    const std::uint32_t count = std::min(be32(keys.body + 4), kMaxKeys);
    std::size_t offset = 8;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (keys.bodySize < 8 || offset > keys.bodySize - 8) {
            break;
        }
        const std::uint32_t size = be32(keys.body + offset);
        if (size < 8 || size > keys.bodySize - offset) {
            break;
        }
        names.push_back(textOf(keys.body + offset + 8, size - 8, kMaxKeyBytes));
        offset += size;
    }
    return names;
}

std::string fourLetterKey(const IsoBox& item) {
    if (item.is("\xA9mak")) {
        return "make";
    }
    if (item.is("\xA9mod")) {
        return "model";
    }
    return {};
}

}  // namespace

void readMovieMetadata(const std::uint8_t* contents, std::size_t size, MovieTags& tags) {
    // QuickTime's metadata box starts with its handler box; ISO's puts its
    // version and flags first.
    if (size < 8) {
        return;
    }
    if (std::memcmp(contents + 4, "hdlr", 4) != 0) {
        contents += 4;
        size -= 4;
    }
    IsoBox box;
    IsoBox list;
    bool hasList = false;
    std::vector<std::string> names;
    bool byName = false;
    for (IsoBoxWalker walker(contents, size); walker.next(box);) {
        if (box.is("hdlr") && box.bodySize >= 12) {
            byName = std::memcmp(box.body + 8, "mdta", 4) == 0;
        } else if (box.is("keys")) {
            names = keyNames(box);
        } else if (box.is("ilst") && !hasList) {
            list = box;
            hasList = true;
        }
    }
    if (!hasList) {
        return;
    }
    IsoBox item;
    for (IsoBoxWalker walker(list); walker.next(item);) {
        if (!byName) {
            addTag(tags, fourLetterKey(item), itemText(item));
            continue;
        }
        const std::uint32_t number = typeNumber(item);
        if (number >= 1 && number <= names.size()) {
            addTag(tags, names[number - 1], itemText(item));
        }
    }
}

}  // namespace dz
