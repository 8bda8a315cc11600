#include "journal/JsonValue.h"

#include "journal/JsonWriter.h"

#include <gtest/gtest.h>

#include <limits>

namespace dz {
namespace {

using namespace std::string_literals;

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

struct BytesCase {
    const char* name;
    std::string bytes;
};

class JsonRoundTripTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(JsonRoundTripTest, ReadsBackTheBytesWritten) {
    const std::string line = JsonWriter().text("name", GetParam().bytes).str();
    std::string error;
    const std::optional<JsonValue> value = parseJson(line, &error);
    ASSERT_TRUE(value) << error << " in " << line;
    EXPECT_EQ(value->textOr("name", "absent"), GetParam().bytes) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, JsonRoundTripTest,
    ::testing::Values(BytesCase{"empty", ""}, BytesCase{"plain", "IMG_0001.JPG"},
                      BytesCase{"quotesAndBackslashes", "say \"hi\" \\ C:\\x\\\""},
                      BytesCase{"controlBytes", "nul\0 \x01\x1f\t\n\r\b\f\x7f"s},
                      BytesCase{"validUtf8", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xB7 \xDF\xBF \xEF\xBF\xBF"},
                      BytesCase{"latin1", "caf\xE9 \xFF\xFE \x80"},
                      BytesCase{"brokenUtf8", "\xC3( \xC0\xAF \xE0\x80\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82"},
                      BytesCase{"invalidBeforeValid", "\x80\xC3\xA9\xC3"},
                      BytesCase{"everyByte", everyByte()}),
    [](const auto& info) { return std::string(info.param.name); });

struct EscapeCase {
    std::string json;
    std::string bytes;
};

class JsonEscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonEscapeTest, DecodesTo) {
    const std::optional<JsonValue> value = parseJson(GetParam().json);
    ASSERT_TRUE(value) << GetParam().json;
    EXPECT_EQ(value->kind, JsonValue::Kind::String);
    EXPECT_EQ(value->text, GetParam().bytes) << GetParam().json;
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, JsonEscapeTest,
    ::testing::Values(EscapeCase{R"("\"\\\/\b\f\n\r\t")", "\"\\/\b\f\n\r\t"},
                      // Up to \u00FF a single byte, as the writer means it.
                      EscapeCase{R"("\u00e9\u00E9\u0000")", "\xE9\xE9\0"s},
                      EscapeCase{R"("\u0100\u07FF")", "\xC4\x80\xDF\xBF"},
                      EscapeCase{R"("\u0800\u20ac\uFFFF")", "\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF"},
                      EscapeCase{R"("\ud83d\udcf7\udbff\udfff")", "\xF0\x9F\x93\xB7\xF4\x8F\xBF\xBF"},
                      EscapeCase{" \t\r\n\"x\"\n", "x"}));

std::string repeated(std::string_view part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += part;
    }
    return out;
}

struct MalformedCase {
    std::string json;
    const char* reason;
};

class JsonMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(JsonMalformedTest, IsRefused) {
    std::string error;
    EXPECT_FALSE(parseJson(GetParam().json, &error)) << GetParam().json;
    EXPECT_EQ(error, GetParam().reason) << GetParam().json;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, JsonMalformedTest,
    ::testing::Values(
        MalformedCase{"", "unexpected end"}, MalformedCase{" \n", "unexpected end"},
        MalformedCase{"[1,2", "unexpected end"}, MalformedCase{R"({"a":1)", "unexpected end"},
        MalformedCase{R"({"a":)", "unexpected end"}, MalformedCase{"tru", "unexpected end"},
        MalformedCase{"[1,]", "unexpected character"}, MalformedCase{"[1 2]", "unexpected character"},
        MalformedCase{"trux", "unexpected character"}, MalformedCase{"True", "unexpected character"},
        MalformedCase{"NaN", "unexpected character"}, MalformedCase{".5", "unexpected character"},
        MalformedCase{"+1", "unexpected character"}, MalformedCase{"{a:1}", "expected a member name"},
        MalformedCase{R"({"a":1,})", "expected a member name"}, MalformedCase{R"({"a" 1})", "expected ':'"},
        MalformedCase{"[1] x", "trailing characters"}, MalformedCase{"{}{}", "trailing characters"},
        MalformedCase{"1 2", "trailing characters"}, MalformedCase{"\"abc", "unterminated string"},
        MalformedCase{"\"abc\\", "unterminated string"}, MalformedCase{"\"\\u12", "unterminated string"},
        MalformedCase{R"("\x")", "bad escape"}, MalformedCase{R"("\u12g4")", "bad escape"},
        MalformedCase{R"("\U0041")", "bad escape"}, MalformedCase{"\"a\nb\"", "control byte in string"},
        MalformedCase{"\"\0\""s, "control byte in string"}, MalformedCase{R"("\udc00")", "lone surrogate"},
        MalformedCase{R"("\ud800")", "lone surrogate"}, MalformedCase{R"("\ud800x")", "lone surrogate"},
        MalformedCase{R"("\ud800\u0041")", "lone surrogate"}, MalformedCase{"01", "leading zero"},
        MalformedCase{"-01", "leading zero"}, MalformedCase{"-", "bad number"}, MalformedCase{"1.", "bad number"},
        MalformedCase{"1.e5", "bad number"}, MalformedCase{"1e", "bad number"}, MalformedCase{"1e+", "bad number"},
        MalformedCase{"-x", "bad number"}, MalformedCase{"1e400", "number out of range"},
        MalformedCase{std::string(65, '[') + std::string(65, ']'), "nesting too deep"},
        MalformedCase{std::string(100000, '['), "nesting too deep"},
        MalformedCase{std::string(40, '[') + repeated(R"({"a":)", 30), "nesting too deep"}));

TEST(JsonNesting, SixtyFourLevelsAreRead) {
    const std::optional<JsonValue> value = parseJson(std::string(64, '[') + std::string(64, ']'));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->kind, JsonValue::Kind::Array);
}

struct NumberCase {
    const char* json;
    double number;
    bool isInteger;
    std::int64_t integer;
};

class JsonNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(JsonNumberTest, ReadsTheValue) {
    const NumberCase& c = GetParam();
    const std::optional<JsonValue> value = parseJson(c.json);
    ASSERT_TRUE(value) << c.json;
    EXPECT_EQ(value->kind, JsonValue::Kind::Number);
    EXPECT_EQ(value->number, c.number) << c.json;
    EXPECT_EQ(value->isInteger, c.isInteger) << c.json;
    if (c.isInteger) {
        EXPECT_EQ(value->integer, c.integer) << c.json;
    }
}

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Numbers, JsonNumberTest,
    ::testing::Values(NumberCase{"0", 0, true, 0}, NumberCase{"-0", 0, true, 0}, NumberCase{"42", 42, true, 42},
                      // Past 2^53 only the integer is exact.
                      NumberCase{"9007199254740993", 9007199254740992.0, true, 9007199254740993},
                      NumberCase{"9223372036854775807", 9223372036854775807.0, true, kMax},
                      NumberCase{"-9223372036854775808", -9223372036854775808.0, true, kMin},
                      NumberCase{"9223372036854775808", 9223372036854775808.0, false, 0},
                      NumberCase{"-9223372036854775809", -9223372036854775809.0, false, 0},
                      NumberCase{"1.0", 1, false, 0}, NumberCase{"1e2", 100, false, 0},
                      NumberCase{"-2.5E-3", -0.0025, false, 0}, NumberCase{"4.9406564584124654e-324",
                                                                            std::numeric_limits<double>::denorm_min(),
                                                                            false, 0}));

TEST(JsonNumber, DoublesTheWriterMakesReadBackTheSame) {
    const double values[] = {0.1, 1.0 / 3.0, -1e300, std::numeric_limits<double>::denorm_min()};
    for (double v : values) {
        const std::optional<JsonValue> value = parseJson(JsonWriter().number("x", v).str());
        ASSERT_TRUE(value);
        const JsonValue* x = value->find("x");
        ASSERT_TRUE(x);
        EXPECT_EQ(x->number, v);
    }
}

TEST(JsonObjectReading, FindsMembersAtEveryLevel) {
    const std::string file = JsonWriter().text("sha256", "ab12").unsignedInteger("size", 4096).str();
    const std::string line = JsonWriter()
                                 .text("op", "copy")
                                 .integer("seq", -7)
                                 .boolean("done", true)
                                 .number("ratio", 1.5)
                                 .raw("file", file)
                                 .raw("parts", R"([1, {"name": "x", "empty": {}}, [], null])")
                                 .text("op", "second of the same name")
                                 .str();
    const std::optional<JsonValue> value = parseJson(line);
    ASSERT_TRUE(value) << line;
    ASSERT_EQ(value->kind, JsonValue::Kind::Object);
    ASSERT_EQ(value->members.size(), 7u);
    EXPECT_EQ(value->members[4].first, "file");

    EXPECT_EQ(value->textOr("op"), "copy");
    EXPECT_EQ(value->integerOr("seq"), -7);
    EXPECT_TRUE(value->booleanOr("done"));

    // Absent, or of another kind: the fallback.
    EXPECT_EQ(value->textOr("missing", "none"), "none");
    EXPECT_EQ(value->textOr("seq", "none"), "none");
    EXPECT_EQ(value->integerOr("op", 3), 3);
    EXPECT_EQ(value->integerOr("ratio", 3), 3);
    EXPECT_TRUE(value->booleanOr("seq", true));
    EXPECT_FALSE(value->booleanOr("missing"));

    const JsonValue* nested = value->find("file");
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->textOr("sha256"), "ab12");
    EXPECT_EQ(nested->integerOr("size"), 4096);

    const JsonValue* parts = value->find("parts");
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->kind, JsonValue::Kind::Array);
    ASSERT_EQ(parts->items.size(), 4u);
    EXPECT_EQ(parts->items[0].integer, 1);
    EXPECT_EQ(parts->items[1].textOr("name"), "x");
    const JsonValue* empty = parts->items[1].find("empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->kind, JsonValue::Kind::Object);
    EXPECT_EQ(parts->items[2].kind, JsonValue::Kind::Array);
    EXPECT_TRUE(parts->items[2].items.empty());
    EXPECT_EQ(parts->items[3].kind, JsonValue::Kind::Null);
}

}  // namespace
}  // namespace dz
