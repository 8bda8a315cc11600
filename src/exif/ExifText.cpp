#include "exif/ExifText.h"

#include <algorithm>
#include <cstring>

namespace dz {

std::string copyText(const ExifByteReader& value, std::size_t limit) {
    std::string out;
    const std::size_t n = std::min(value.size(), limit);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t byte = value.data()[i];
        if (byte == 0) {
            break;
        }
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::string trimmedText(const ExifByteReader& value, std::size_t limit) {
    // The limit counts the text, not the spaces in front of it.
    std::size_t first = 0;
    while (first < value.size() && value.data()[first] == ' ') {
        ++first;
    }
    std::string text = copyText(ExifByteReader(value.data() + first, value.size() - first), limit);
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

bool isClockOffset(std::string_view text) {
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || !digit(1) || !digit(2) || text[3] != ':' ||
        !digit(4) || !digit(5)) {
        return false;
    }
    const int hours = (text[1] - '0') * 10 + (text[2] - '0');
    const int minutes = (text[4] - '0') * 10 + (text[5] - '0');
    return hours <= 14 && minutes < 60;
}

std::optional<std::string> userCommentText(const ExifByteReader& value) {
    // Trailing spaces are padding, not text.
    std::size_t end = value.size();
    while (end > 0 && value.data()[end - 1] == ' ') {
        --end;
    }
    const ExifByteReader trimmed(value.data(), end);

    static constexpr char kAsciiCode[] = "ASCII";
    const bool isAscii = trimmed.size() >= 5 && std::memcmp(trimmed.data(), kAsciiCode, 5) == 0;
    if (!isAscii) {
        return copyText(trimmed, kUserCommentChars);
    }
    // The 8-byte character code is followed by the text; cameras pad the code
    // with zeros or spaces, so the text starts at the first other byte.
    for (std::size_t start = 5; start < 10 && start < trimmed.size(); ++start) {
        const std::uint8_t byte = trimmed.data()[start];
        if (byte != 0 && byte != ' ') {
            const ExifByteReader text(trimmed.data() + start, trimmed.size() - start);
            return copyText(text, kUserCommentChars);
        }
    }
    return std::nullopt;
}

std::string commentSectionText(const std::uint8_t* section, std::size_t length) {
    const std::size_t taken = std::min(length, kCommentSectionBytes);
    std::string out;
    for (std::size_t i = 2; i < taken; ++i) {
        const std::uint8_t byte = section[i];
        // CR LF becomes LF; the look-ahead may see the byte after the first
        // 1000 as long as it is still inside the section.
        if (byte == '\r' && i + 1 < length && section[i + 1] == '\n') {
            continue;
        }
        if (byte >= 0x20 || byte == '\n' || byte == '\t') {
            out.push_back(static_cast<char>(byte));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

std::optional<float> unitLengthInInches(int code) {
    switch (code) {
    case 1:
        return 1.0f;  // no unit
    case 2:
        return 1.0f;  // inch
    case 3:
        return 0.3937008f;  // centimetre
    case 4:
        return 0.03937008f;  // millimetre
    case 5:
        return 0.00003937008f;  // micrometre
    default:
        return std::nullopt;
    }
}

}  // namespace dz
