#include "formats/QuickTimeUserData.h"

#include "exif/ExifInfo.h"

#include <array>
#include <optional>

namespace dz {

namespace {

// Boxes looked at on one level, so that a file of tiny boxes ends soon.
constexpr int kMaxBoxesPerLevel = 4096;
// A user data text longer than this is no camera name.
constexpr std::size_t kMaxTextBytes = 256;
// The make at the head of a "TAGS" atom is a NUL-padded text of this size.
constexpr std::size_t kTagsMakeBytes = 24;

struct Box {
    std::array<char, 4> type{};
    std::uint64_t payload = 0;  // offset of the contents
    std::uint64_t end = 0;      // offset after the box
};

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The box at `offset` within a parent ending at `limit`.
std::optional<Box> readBox(BoxSource& file, std::uint64_t offset, std::uint64_t limit) {
    std::uint8_t header[16];
    if (limit < offset || limit - offset < 8 || !file.readAt(offset, header, 8)) {
        return std::nullopt;
    }
    Box box;
    std::memcpy(box.type.data(), header + 4, 4);
    std::uint64_t size = be32(header);
    box.payload = offset + 8;
    if (size == 1) {
        // A 64-bit size follows the type.
        if (limit - offset < 16 || !file.readAt(offset + 8, header + 8, 8)) {
            return std::nullopt;
        }
        size = (std::uint64_t{be32(header + 8)} << 32) | be32(header + 12);
        box.payload = offset + 16;
    } else if (size == 0) {
        size = limit - offset;  // the box runs to the end of its parent
    }
    if (size < box.payload - offset || size > limit - offset) {
        return std::nullopt;
    }
    box.end = offset + size;
    return box;
}

bool isType(const Box& box, const char* type) {
    return std::memcmp(box.type.data(), type, 4) == 0;
}

// The first child of the given type within [begin, end).
std::optional<Box> findChild(BoxSource& file, std::uint64_t begin, std::uint64_t end, const char* type) {
    std::uint64_t offset = begin;
    for (int i = 0; i < kMaxBoxesPerLevel; ++i) {
        const std::optional<Box> box = readBox(file, offset, end);
        if (!box) {
            return std::nullopt;
        }
        if (isType(*box, type)) {
            return box;
        }
        offset = box->end;
    }
    return std::nullopt;
}

// Printable ASCII up to the first NUL, trailing blanks dropped, cut to `limit`.
std::string cameraText(const std::uint8_t* bytes, std::size_t count, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < count && bytes[i] != 0; ++i) {
        if (bytes[i] < 0x20 || bytes[i] > 0x7E) {
            return {};
        }
        text.push_back(static_cast<char>(bytes[i]));
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    text.resize(std::min(text.size(), limit));
    return text;
}

// A QuickTime user data text: 16-bit length, 16-bit language, the text.
std::string userDataText(BoxSource& file, const Box& box, std::size_t limit) {
    std::uint8_t bytes[4 + kMaxTextBytes];
    const std::uint64_t available = box.end - box.payload;
    if (available < 4 || !file.readAt(box.payload, bytes, 4)) {
        return {};
    }
    const std::size_t length = (std::size_t{bytes[0]} << 8) | bytes[1];
    if (length > kMaxTextBytes || length > available - 4 || !file.readAt(box.payload + 4, bytes + 4, length)) {
        return {};
    }
    return cameraText(bytes + 4, length, limit);
}

std::string tagsMake(BoxSource& file, const Box& box) {
    std::uint8_t bytes[kTagsMakeBytes];
    if (box.end - box.payload < kTagsMakeBytes || !file.readAt(box.payload, bytes, kTagsMakeBytes)) {
        return {};
    }
    return cameraText(bytes, kTagsMakeBytes, kCameraMakeChars);
}

}  // namespace

QuickTimeCamera readQuickTimeCamera(BoxSource& file) {
    QuickTimeCamera camera;
    const std::optional<Box> movie = findChild(file, 0, file.size(), "moov");
    const std::optional<Box> userData = movie ? findChild(file, movie->payload, movie->end, "udta") : std::nullopt;
    if (!userData) {
        return camera;
    }
    std::string fromTags;
    std::uint64_t offset = userData->payload;
    for (int i = 0; i < kMaxBoxesPerLevel; ++i) {
        const std::optional<Box> box = readBox(file, offset, userData->end);
        if (!box) {
            break;
        }
        if (isType(*box, "\xA9mak")) {
            camera.make = userDataText(file, *box, kCameraMakeChars);
        } else if (isType(*box, "\xA9mod")) {
            camera.model = userDataText(file, *box, kCameraModelChars);
        } else if (isType(*box, "TAGS")) {
            fromTags = tagsMake(file, *box);
        }
        offset = box->end;
    }
    if (camera.make.empty()) {
        camera.make = fromTags;
    }
    return camera;
}

}  // namespace dz
