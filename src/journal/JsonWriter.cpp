#include "journal/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace dz {

namespace {

void appendEscapedByte(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at `i`, or 0 when the byte there
// does not start one (overlong forms, surrogates and values above U+10FFFF
// are not valid).
std::size_t validSequence(std::string_view s, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = at(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() - i < length) {
        return 0;
    }
    if (at(i + 1) < low || at(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!isContinuation(at(i + k))) {
            return 0;
        }
    }
    return length;
}

template <typename Floating>
std::string shortestForm(Floating value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

void JsonWriter::appendString(std::string& out, std::string_view bytes) {
    out.push_back('"');
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c < 0x20) {
            appendEscapedByte(out, c);
            ++i;
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (const std::size_t n = validSequence(bytes, i); n > 0) {
            out.append(bytes.substr(i, n));
            i += n;
        } else {
            appendEscapedByte(out, c);
            ++i;
        }
    }
    out.push_back('"');
}

std::string JsonWriter::formatNumber(float value) {
    return shortestForm(value);
}

std::string JsonWriter::formatNumber(double value) {
    return shortestForm(value);
}

void JsonWriter::key(std::string_view name) {
    if (body_.size() > 1) {
        body_.push_back(',');
    }
    appendString(body_, name);
    body_.push_back(':');
}

JsonWriter& JsonWriter::text(std::string_view name, std::string_view value) {
    key(name);
    appendString(body_, value);
    return *this;
}

JsonWriter& JsonWriter::integer(std::string_view name, std::int64_t value) {
    key(name);
    body_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::unsignedInteger(std::string_view name, std::uint64_t value) {
    key(name);
    body_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view name, float value) {
    key(name);
    body_ += formatNumber(value);
    return *this;
}

JsonWriter& JsonWriter::number(std::string_view name, double value) {
    key(name);
    body_ += formatNumber(value);
    return *this;
}

JsonWriter& JsonWriter::boolean(std::string_view name, bool value) {
    key(name);
    body_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view name, std::string_view json) {
    key(name);
    body_ += json;
    return *this;
}

}  // namespace dz
