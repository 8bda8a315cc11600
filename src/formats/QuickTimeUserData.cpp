#include "formats/QuickTimeUserData.h"

#include "exif/ExifInfo.h"
#include "formats/SourceBoxes.h"

#include <array>

namespace dz {

namespace {

// A user data text longer than this is no camera name.
constexpr std::size_t kMaxTextBytes = 256;
// The make at the head of a "TAGS" atom is a NUL-padded text of this size.
constexpr std::size_t kTagsMakeBytes = 24;

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
std::string userDataText(BoxSource& file, const SourceBox& box, std::size_t limit) {
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

std::string tagsMake(BoxSource& file, const SourceBox& box) {
    std::uint8_t bytes[kTagsMakeBytes];
    if (box.end - box.payload < kTagsMakeBytes || !file.readAt(box.payload, bytes, kTagsMakeBytes)) {
        return {};
    }
    return cameraText(bytes, kTagsMakeBytes, kCameraMakeChars);
}

std::optional<SourceBox> userDataBox(BoxSource& file) {
    const std::optional<SourceBox> movie = findSourceChild(file, 0, file.size(), "moov");
    return movie ? findSourceChild(file, movie->payload, movie->end, "udta") : std::nullopt;
}

}  // namespace

QuickTimeCamera readQuickTimeCamera(BoxSource& file) {
    QuickTimeCamera camera;
    const std::optional<SourceBox> userData = userDataBox(file);
    if (!userData) {
        return camera;
    }
    std::string fromTags;
    SourceBoxWalker walker(file, *userData);
    SourceBox box;
    while (walker.next(box)) {
        if (box.is("\xA9mak")) {
            camera.make = userDataText(file, box, kCameraMakeChars);
        } else if (box.is("\xA9mod")) {
            camera.model = userDataText(file, box, kCameraModelChars);
        } else if (box.is("TAGS")) {
            fromTags = tagsMake(file, box);
        }
    }
    if (camera.make.empty()) {
        camera.make = fromTags;
    }
    return camera;
}

std::string readQuickTimeLocation(BoxSource& file) {
    const std::optional<SourceBox> userData = userDataBox(file);
    if (!userData) {
        return {};
    }
    SourceBoxWalker walker(file, *userData);
    SourceBox box;
    while (walker.next(box)) {
        if (box.is("\xA9xyz")) {
            return userDataText(file, box, kMaxTextBytes);
        }
    }
    return {};
}

}  // namespace dz
