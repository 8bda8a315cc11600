#include "journal/JsonValue.h"

#include <charconv>
#include <system_error>
#include <type_traits>

namespace dz {

// Growing a vector of values must move them, or a long array costs a copy of
// everything read so far each time it grows.
static_assert(std::is_nothrow_move_constructible_v<JsonValue>);

namespace {

constexpr int kMaxDepth = 64;

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
}

// Recursive descent over the text; every read checks the position against the
// size first, and the first failure ends the parse with its reason.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool document(JsonValue& out) {
        if (!value(out, 0)) {
            return false;
        }
        skipSpace();
        return atEnd() || fail("trailing characters");
    }

    const char* error() const { return error_; }

private:
    bool fail(const char* reason) {
        error_ = reason;
        return false;
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    // Only when !atEnd().
    unsigned char peek() const { return static_cast<unsigned char>(text_[pos_]); }
    bool has(std::size_t n) const { return text_.size() >= n && pos_ <= text_.size() - n; }

    void skipSpace() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) {
            ++pos_;
        }
    }

    bool value(JsonValue& out, int depth) {
        skipSpace();
        if (atEnd()) {
            return fail("unexpected end");
        }
        switch (peek()) {
        case '{':
        case '[':
            if (depth >= kMaxDepth) {
                return fail("nesting too deep");
            }
            return peek() == '{' ? object(out, depth + 1) : array(out, depth + 1);
        case '"':
            out.kind = JsonValue::Kind::String;
            return string(out.text);
        case 't':
            out.kind = JsonValue::Kind::Boolean;
            out.boolean = true;
            return literal("true");
        case 'f':
            out.kind = JsonValue::Kind::Boolean;
            return literal("false");
        case 'n':
            return literal("null");
        default:
            if (peek() == '-' || isDigit(peek())) {
                return number(out);
            }
            return fail("unexpected character");
        }
    }

    bool literal(std::string_view word) {
        const std::string_view here = text_.substr(pos_, word.size());
        if (here == word) {
            pos_ += word.size();
            return true;
        }
        return fail(here.size() < word.size() && word.substr(0, here.size()) == here ? "unexpected end"
                                                                                     : "unexpected character");
    }

    bool digits() {
        if (atEnd() || !isDigit(peek())) {
            return fail("bad number");
        }
        while (!atEnd() && isDigit(peek())) {
            ++pos_;
        }
        return true;
    }

    bool number(JsonValue& out) {
        const std::size_t start = pos_;
        if (peek() == '-') {
            ++pos_;
        }
        if (!atEnd() && peek() == '0') {
            ++pos_;
            if (!atEnd() && isDigit(peek())) {
                return fail("leading zero");
            }
        } else if (!digits()) {
            return false;
        }
        bool integral = true;
        if (!atEnd() && peek() == '.') {
            ++pos_;
            integral = false;
            if (!digits()) {
                return false;
            }
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            integral = false;
            if (!atEnd() && (peek() == '+' || peek() == '-')) {
                ++pos_;
            }
            if (!digits()) {
                return false;
            }
        }
        const char* first = text_.data() + start;
        const char* last = text_.data() + pos_;
        out.kind = JsonValue::Kind::Number;
        if (std::from_chars(first, last, out.number).ec != std::errc{}) {
            return fail("number out of range");
        }
        if (integral) {
            const auto result = std::from_chars(first, last, out.integer);
            out.isInteger = result.ec == std::errc{} && result.ptr == last;
            if (!out.isInteger) {
                out.integer = 0;
            }
        }
        return true;
    }

    bool hex4(std::uint32_t& unit) {
        if (!has(4)) {
            return fail("unterminated string");
        }
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexDigit(peek());
            if (digit < 0) {
                return fail("bad escape");
            }
            unit = unit << 4 | static_cast<std::uint32_t>(digit);
            ++pos_;
        }
        return true;
    }

    // After "\u".
    bool escapedCharacter(std::string& out) {
        std::uint32_t unit = 0;
        if (!hex4(unit)) {
            return false;
        }
        if (unit <= 0xFF) {
            out.push_back(static_cast<char>(unit));
            return true;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return fail("lone surrogate");
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (!has(2) || text_[pos_] != '\\' || text_[pos_ + 1] != 'u') {
                return fail("lone surrogate");
            }
            pos_ += 2;
            std::uint32_t low = 0;
            if (!hex4(low)) {
                return false;
            }
            if (low < 0xDC00 || low > 0xDFFF) {
                return fail("lone surrogate");
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, unit);
        return true;
    }

    bool string(std::string& out) {
        ++pos_;  // the opening quote
        for (;;) {
            // Plain bytes go over in one piece.
            const std::size_t start = pos_;
            while (!atEnd() && peek() != '"' && peek() != '\\' && peek() >= 0x20) {
                ++pos_;
            }
            out.append(text_.data() + start, pos_ - start);
            if (atEnd()) {
                return fail("unterminated string");
            }
            const unsigned char c = peek();
            ++pos_;
            if (c == '"') {
                return true;
            }
            if (c != '\\') {
                return fail("control byte in string");
            }
            if (atEnd()) {
                return fail("unterminated string");
            }
            const unsigned char escape = peek();
            ++pos_;
            switch (escape) {
            case '"':
            case '\\':
            case '/':
                out.push_back(static_cast<char>(escape));
                break;
            case 'b':
                out.push_back('\b');
                break;
            case 'f':
                out.push_back('\f');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'u':
                if (!escapedCharacter(out)) {
                    return false;
                }
                break;
            default:
                return fail("bad escape");
            }
        }
    }

    // After an item of an array or object that `closing` ends: a comma, or the end.
    bool afterItem(char closing, bool& done) {
        skipSpace();
        if (atEnd()) {
            return fail("unexpected end");
        }
        const unsigned char c = peek();
        ++pos_;
        done = c == static_cast<unsigned char>(closing);
        return done || c == ',' || fail("unexpected character");
    }

    bool array(JsonValue& out, int depth) {
        ++pos_;
        out.kind = JsonValue::Kind::Array;
        skipSpace();
        if (!atEnd() && peek() == ']') {
            ++pos_;
            return true;
        }
        for (bool done = false; !done;) {
            out.items.emplace_back();
            if (!value(out.items.back(), depth) || !afterItem(']', done)) {
                return false;
            }
        }
        return true;
    }

    bool object(JsonValue& out, int depth) {
        ++pos_;
        out.kind = JsonValue::Kind::Object;
        skipSpace();
        if (!atEnd() && peek() == '}') {
            ++pos_;
            return true;
        }
        for (bool done = false; !done;) {
            skipSpace();
            if (atEnd()) {
                return fail("unexpected end");
            }
            if (peek() != '"') {
                return fail("expected a member name");
            }
            auto& member = out.members.emplace_back();
            if (!string(member.first)) {
                return false;
            }
            skipSpace();
            if (atEnd()) {
                return fail("unexpected end");
            }
            if (peek() != ':') {
                return fail("expected ':'");
            }
            ++pos_;
            if (!value(member.second, depth) || !afterItem('}', done)) {
                return false;
            }
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    const char* error_ = "";
};

}  // namespace

const JsonValue* JsonValue::find(std::string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key) {
            return &value;
        }
    }
    return nullptr;
}

std::string JsonValue::textOr(std::string_view key, std::string_view fallback) const {
    const JsonValue* v = find(key);
    return std::string(v && v->kind == Kind::String ? std::string_view(v->text) : fallback);
}

std::int64_t JsonValue::integerOr(std::string_view key, std::int64_t fallback) const {
    const JsonValue* v = find(key);
    return v && v->kind == Kind::Number && v->isInteger ? v->integer : fallback;
}

bool JsonValue::booleanOr(std::string_view key, bool fallback) const {
    const JsonValue* v = find(key);
    return v && v->kind == Kind::Boolean ? v->boolean : fallback;
}

std::optional<JsonValue> parseJson(std::string_view text, std::string* error) {
    Parser parser(text);
    JsonValue value;
    if (!parser.document(value)) {
        if (error) {
            *error = parser.error();
        }
        return std::nullopt;
    }
    return value;
}

}  // namespace dz
