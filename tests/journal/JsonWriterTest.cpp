#include "journal/JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace dz {
namespace {

struct EscapeCase {
    std::string bytes;
    std::string json;
};

class JsonStringTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonStringTest, WritesValidJson) {
    std::string out;
    JsonWriter::appendString(out, GetParam().bytes);
    EXPECT_EQ(out, GetParam().json);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Bytes, JsonStringTest,
    ::testing::Values(
        EscapeCase{"", "\"\""}, EscapeCase{"Canon EOS", "\"Canon EOS\""},
        EscapeCase{"say \"hi\"", "\"say \\\"hi\\\"\""}, EscapeCase{"C:\\x", "\"C:\\\\x\""},
        EscapeCase{"a\nb\tc\rd", "\"a\\u000ab\\u0009c\\u000dd\""},
        EscapeCase{"\x01\x1f\x7f", "\"\\u0001\\u001f\x7f\""},
        EscapeCase{"nul\0byte"s, "\"nul\\u0000byte\""},
        // Valid UTF-8 of two, three and four bytes passes unchanged.
        EscapeCase{"\xC3\xA9t\xC3\xA9", "\"\xC3\xA9t\xC3\xA9\""},
        EscapeCase{"\xE2\x82\xAC 5", "\"\xE2\x82\xAC 5\""},
        EscapeCase{"\xF0\x9F\x93\xB7", "\"\xF0\x9F\x93\xB7\""},
        // Anything else is read as Latin-1, a byte at a time.
        EscapeCase{"caf\xE9", "\"caf\\u00e9\""}, EscapeCase{"\xC3", "\"\\u00c3\""},
        EscapeCase{"\xC3(", "\"\\u00c3(\""}, EscapeCase{"\xC0\xAF", "\"\\u00c0\\u00af\""},
        EscapeCase{"\xE0\x80\xAF", "\"\\u00e0\\u0080\\u00af\""},
        EscapeCase{"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},
        EscapeCase{"\xF4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},
        EscapeCase{"\xE2\x82", "\"\\u00e2\\u0082\""},
        EscapeCase{"\xFF\xFE", "\"\\u00ff\\u00fe\""},
        EscapeCase{"\x80\xC3\xA9", "\"\\u0080\xC3\xA9\""}));

TEST(JsonNumber, ReadsBackAsTheSameFloat) {
    const float values[] = {0.0f, 0.1f, 1.0f / 3.0f, 7.1f, 4438.356f, 0.00625f, 1e-30f, 3.4e38f,
                            -2.5f, 16777217.0f, std::numeric_limits<float>::denorm_min()};
    for (float v : values) {
        const std::string text = JsonWriter::formatNumber(v);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), v) << text;
        EXPECT_EQ(text.find_first_not_of("0123456789.e+-"), std::string::npos) << text;
    }
    EXPECT_EQ(JsonWriter::formatNumber(0.1f), "0.1");
}

TEST(JsonNumber, NotFiniteIsNull) {
    EXPECT_EQ(JsonWriter::formatNumber(std::numeric_limits<float>::quiet_NaN()), "null");
    EXPECT_EQ(JsonWriter::formatNumber(std::numeric_limits<float>::infinity()), "null");
    EXPECT_EQ(JsonWriter::formatNumber(-std::numeric_limits<float>::infinity()), "null");
    EXPECT_EQ(JsonWriter::formatNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonWriter::formatNumber(std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonObject, JoinsFieldsInOrder) {
    JsonWriter json;
    EXPECT_EQ(json.str(), "{}");
    json.text("path", "/a \"b\"")
        .integer("createTime", std::numeric_limits<std::int64_t>::min())
        .unsignedInteger("size", std::numeric_limits<std::uint64_t>::max())
        .number("f", 2.5f)
        .boolean("ok", false);
    EXPECT_EQ(json.str(),
              "{\"path\":\"/a \\\"b\\\"\",\"createTime\":-9223372036854775808,"
              "\"size\":18446744073709551615,\"f\":2.5,\"ok\":false}");
}

TEST(JsonObject, FloatsAndDoublesEachTakeTheirOwnForm) {
    // 0.1f printed as a double would be 0.10000000149011612, a third cut to a float 0.33333334.
    EXPECT_EQ(JsonWriter().number("f", 0.1f).number("d", 1.0 / 3.0).str(), "{\"f\":0.1,\"d\":0.3333333333333333}");
}

TEST(JsonObject, RawValuesGoInAsGiven) {
    const std::string inner = JsonWriter().text("name", "a\"b").str();
    EXPECT_EQ(JsonWriter().raw("file", inner).raw("sizes", "[1,2]").integer("n", 3).str(),
              "{\"file\":{\"name\":\"a\\\"b\"},\"sizes\":[1,2],\"n\":3}");
}

}  // namespace
}  // namespace dz
