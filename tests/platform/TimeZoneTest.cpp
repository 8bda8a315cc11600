#include "platform/TimeZone.h"

#include "ZoneScope.h"

#include <gtest/gtest.h>

#include <ctime>
#include <optional>

namespace dz {
namespace {

using test::ZoneScope;

struct ZoneCase {
    const char* zone;
    int bias;
    int daylightBias;
    std::optional<bool> inForce;  // empty: depends on today's season
};

class CurrentZoneTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(CurrentZoneTest, ReportsBiasesOfTheZone) {
    const ZoneCase& c = GetParam();
    ZoneScope zone(c.zone);
    const TimeZoneState state = currentTimeZone();
    EXPECT_EQ(state.biasMinutes, c.bias);
    EXPECT_EQ(state.daylightBiasMinutes, c.daylightBias);
    if (c.inForce) {
        EXPECT_EQ(state.daylightInForce, *c.inForce);
        EXPECT_EQ(state.totalBiasMinutes(), c.bias + (*c.inForce ? c.daylightBias : 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zones, CurrentZoneTest,
    ::testing::Values(ZoneCase{"UTC0", 0, 0, false}, ZoneCase{"JST-9", -540, 0, false},
                      ZoneCase{"IST-5:30", -330, 0, false},
                      ZoneCase{"CET-1CEST,M3.5.0,M10.5.0/3", -60, -60, std::nullopt},
                      ZoneCase{"EST5EDT,M3.2.0,M11.1.0", 300, -60, std::nullopt},
                      // Daylight time all year round: the in-force path.
                      ZoneCase{"STD3DST,0/0,J365/25", 180, -60, true}));

TEST(CurrentZone, TotalBiasIsUtcMinusLocalNow) {
    ZoneScope zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    utc.tm_isdst = -1;
    // mktime reads the UTC fields as local time; the shift is UTC minus local.
    const std::time_t shifted = std::mktime(&utc);
    EXPECT_EQ(currentTimeZone().totalBiasMinutes(), static_cast<int>((shifted - now) / 60));
}

TEST(FileTime, FromUnixSecondsAndNanoseconds) {
    EXPECT_EQ(fileTimeFromUnix(0), 116444736000000000LL);
    EXPECT_EQ(fileTimeFromUnix(1083846896, 123456789), 127283204960000000LL + 1234567);
    EXPECT_EQ(fileTimeFromUnix(-11644473600LL), 0);
    EXPECT_EQ(fileTimeFromUnix(INT64_MAX), INT64_MAX);
    EXPECT_EQ(fileTimeFromUnix(INT64_MIN), INT64_MIN);
}

struct FormatCase {
    const char* zone;
    std::int64_t unixSeconds;
    const char* pattern;
    const char* expected;
};

class FormatLocalTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatLocalTest, ConvertsToLocalTimeAndFormats) {
    const FormatCase& c = GetParam();
    ZoneScope zone(c.zone);
    EXPECT_EQ(formatLocalFileTime(fileTimeFromUnix(c.unixSeconds), c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FormatLocalTest,
    ::testing::Values(
        // 2004-01-15 12:00:00 UTC and 2004-07-15 12:00:00 UTC.
        FormatCase{"CET-1CEST,M3.5.0,M10.5.0/3", 1074168000, "%Y:%m:%d %H:%M:%S", "2004:01:15 13:00:00"},
        FormatCase{"CET-1CEST,M3.5.0,M10.5.0/3", 1089892800, "%Y:%m:%d %H:%M:%S", "2004:07:15 14:00:00"},
        FormatCase{"EST5EDT,M3.2.0,M11.1.0", 1074168000, "%Y:%m:%d %H:%M:%S", "2004:01:15 07:00:00"},
        FormatCase{"UTC0", 0, "%Y:%m:%d %H:%M:%S", "1970:01:01 00:00:00"},
        FormatCase{"UTC0", -86400, "%Y:%m:%d %H:%M:%S", "1969:12:31 00:00:00"},
        FormatCase{"UTC0", 1074168000, "%A %B %p", "Thursday January PM"},
        FormatCase{"UTC0", 1074168000, "", ""}));

TEST(FormatLocal, SubSecondTicksBeforeTheEpochRoundDown) {
    ZoneScope zone("UTC0");
    EXPECT_EQ(formatLocalFileTime(kFileTimeUnixEpoch - 1, "%Y:%m:%d %H:%M:%S"), "1969:12:31 23:59:59");
}

}  // namespace
}  // namespace dz
