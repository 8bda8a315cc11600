#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dz {

// Builds one JSON object on one line. Texts are bytes: valid UTF-8 passes
// through, quotes, backslashes and control bytes are escaped, and a byte that
// is not part of valid UTF-8 is written as the Latin-1 character of that byte
// (\u00XX), so the output is valid JSON whatever a file held.
class JsonWriter {
public:
    JsonWriter& text(std::string_view key, std::string_view value);
    JsonWriter& integer(std::string_view key, std::int64_t value);
    JsonWriter& unsignedInteger(std::string_view key, std::uint64_t value);
    // The shortest form that reads back as the same float; NaN and infinities as null.
    JsonWriter& number(std::string_view key, float value);
    // As above for a double, to the double's own precision.
    JsonWriter& number(std::string_view key, double value);
    JsonWriter& boolean(std::string_view key, bool value);
    // An already built JSON value (an object or an array), inserted as given.
    JsonWriter& raw(std::string_view key, std::string_view json);

    // The object so far, closed.
    std::string str() const { return body_ + "}"; }

    static void appendString(std::string& out, std::string_view bytes);
    static std::string formatNumber(float value);
    static std::string formatNumber(double value);

private:
    void key(std::string_view name);

    std::string body_ = "{";
};

}  // namespace dz
