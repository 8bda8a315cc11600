#include "albums/DateTimeText.h"
#include "platform/TimeZone.h"

#include "LocalStamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace dz {
namespace {


struct FormatCase {
    int index;
    const char* date;
};

class DateFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DateFormats, GiveTheBracketedDateInEnglish) {
    const std::int64_t value = test::localStamp(2006, 5, 14, 14, 5, 9);
    EXPECT_EQ(dateText(value, GetParam().index), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(AllTen, DateFormats,
                         ::testing::Values(FormatCase{1, "[2006-05-14]"}, FormatCase{2, "[14 05 2006]"},
                                           FormatCase{3, "[14 May 2006]"}, FormatCase{4, "[May 14, 2006]"},
                                           FormatCase{5, "[14 May 2006]"}, FormatCase{6, "[May 14, 2006]"},
                                           FormatCase{7, "[Sun May 14, 2006]"},
                                           FormatCase{8, "[Sunday May 14, 2006]"},
                                           FormatCase{9, "[Sunday, 14 May 2006]"},
                                           FormatCase{10, "[Sun, 14 May 2006]"}, FormatCase{0, "[]"},
                                           FormatCase{11, "[]"}, FormatCase{-3, "[]"}));

TEST(TimeFormats, GiveTheBracketedTimeOfDay) {
    const std::int64_t value = test::localStamp(2006, 5, 14, 14, 5, 9);
    EXPECT_EQ(timeText(value, 1), "[14 05 09]");
    EXPECT_EQ(timeText(value, 2), "[02 05 09 PM]");
    EXPECT_EQ(timeText(value, 0), "[]");
    EXPECT_EQ(timeText(value, 3), "[]");
}

TEST(TimeFormats, MorningAndMidnight) {
    EXPECT_EQ(timeText(test::localStamp(2006, 1, 2, 0, 0, 0), 2), "[12 00 00 AM]");
    EXPECT_EQ(timeText(test::localStamp(2006, 1, 2, 9, 30, 0), 2), "[09 30 00 AM]");
}

TEST(TimeFormats, WinterAndSummerDatesKeepTheirWallClockTime) {
    // Both stamps made in the zone of the moment read back as they were made.
    EXPECT_EQ(timeText(test::localStamp(2006, 1, 15, 10, 0, 0), 1), "[10 00 00]");
    EXPECT_EQ(timeText(test::localStamp(2006, 7, 15, 10, 0, 0), 1), "[10 00 00]");
}

TEST(FormatTimeValue, UsesTheGivenBias) {
    // 2006-05-14 12:00:00 UTC.
    const std::int64_t utcNoon = fileTimeFromUnix(1147608000);
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    EXPECT_EQ(formatTimeValue(utcNoon, "%H:%M", 0), "12:00");
    EXPECT_EQ(formatTimeValue(utcNoon, "%H:%M", -120), "14:00");
    EXPECT_EQ(formatTimeValue(utcNoon, "%H:%M", 300), "07:00");
    EXPECT_EQ(formatTimeValue(utcNoon, nullptr, 0), "");
    if (saved) {
        ::setenv("TZ", previous.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}

}  // namespace
}  // namespace dz
