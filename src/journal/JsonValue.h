#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dz {

// One value read from a JSON text. Texts are bytes, read back as JsonWriter
// wrote them: \u0000 to \u00FF give that single byte (the writer's escape for a
// control byte or a byte outside valid UTF-8, as file names may hold), any other
// \uXXXX its UTF-8, and unescaped bytes pass through as they are.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    bool isInteger = false;        // the number was written without fraction or exponent and fits in int64
    std::int64_t integer = 0;      // exact when isInteger
    std::string text;              // String
    std::vector<JsonValue> items;  // Array
    std::vector<std::pair<std::string, JsonValue>> members;  // Object, in file order

    // The member named `key` of an object, or null (first match).
    const JsonValue* find(std::string_view key) const;
    // The member's text / integer / boolean, or the fallback when absent or of another kind.
    std::string textOr(std::string_view key, std::string_view fallback = {}) const;
    std::int64_t integerOr(std::string_view key, std::int64_t fallback = 0) const;
    bool booleanOr(std::string_view key, bool fallback = false) const;
};

// Parses one complete JSON text (surrounding white space allowed). nullopt on any
// error, with a short reason in *error when given ("unexpected end", "nesting too
// deep", ...). Arrays and objects nest at most 64 deep.
std::optional<JsonValue> parseJson(std::string_view text, std::string* error = nullptr);

}  // namespace dz
