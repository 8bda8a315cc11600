#include "catalogue/PictureTimeStamp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>

namespace dz {
namespace {

constexpr std::int64_t kTicks = 10000000LL;
constexpr std::int64_t kMaxStamp = 922314988799LL * kTicks;  // 30827-12-31 23:59:59

// The stamp of a UTC calendar time, worked out with the standard calendar.
std::int64_t utcStamp(int y, unsigned m, unsigned d, int h, int mi, int s) {
    using namespace std::chrono;
    const sys_days day = year{y} / month{m} / std::chrono::day{d};
    const std::int64_t unixSeconds =
        static_cast<std::int64_t>(day.time_since_epoch().count()) * 86400 + h * 3600 + mi * 60 + s;
    return (unixSeconds + 11644473600LL) * kTicks;
}

struct StampCase {
    const char* text;
    int bias;
    std::int64_t expected;
};

class PictureTimeStampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(PictureTimeStampTest, GivesTheStamp) {
    const StampCase& c = GetParam();
    EXPECT_EQ(pictureTimeStamp(c.text, c.bias), c.expected) << '"' << c.text << "\" bias " << c.bias;
}

INSTANTIATE_TEST_SUITE_P(
    Ordinary, PictureTimeStampTest,
    ::testing::Values(
        // `date -u -d '2004-05-06 12:34:56' +%s` is 1083846896.
        StampCase{"2004:05:06 12:34:56", 0, (1083846896LL + 11644473600LL) * kTicks},
        StampCase{"2004:05:06 12:34:56", -60, utcStamp(2004, 5, 6, 11, 34, 56)},
        StampCase{"2004:05:06 12:34:56", -120, utcStamp(2004, 5, 6, 10, 34, 56)},
        StampCase{"2004:05:06 12:34:56", 300, utcStamp(2004, 5, 6, 17, 34, 56)},
        StampCase{"1970:01:01 01:02:03", 0, utcStamp(1970, 1, 1, 1, 2, 3)},
        StampCase{"3000:12:31 23:59:59", 0, utcStamp(3000, 12, 31, 23, 59, 59)},
        StampCase{" 2004: 5:06 12: 3: 4", 0, utcStamp(2004, 5, 6, 12, 3, 4)},
        StampCase{"2004:05:06 12:34:56 trailing", 0, utcStamp(2004, 5, 6, 12, 34, 56)},
        StampCase{"+2004:+5:06 12:34:56", 0, utcStamp(2004, 5, 6, 12, 34, 56)}));

INSTANTIATE_TEST_SUITE_P(
    ZeroFields, PictureTimeStampTest,
    ::testing::Values(
        // Any field at zero lifts minute and second to 1 and keeps hour 0.
        StampCase{"2004:05:06 00:00:00", 0, utcStamp(2004, 5, 6, 0, 1, 1)},
        StampCase{"2004:05:06 14:30:00", 0, utcStamp(2004, 5, 6, 14, 30, 1)},
        StampCase{"2004:05:06 00:10:20", 0, utcStamp(2004, 5, 6, 0, 10, 20)},
        StampCase{"2004:00:00 10:20:30", 0, utcStamp(2004, 1, 1, 10, 20, 30)},
        StampCase{"0000:00:00 00:00:00", 0, utcStamp(1970, 1, 1, 0, 1, 1)},
        StampCase{"0000:00:00 00:00:00", -60, utcStamp(1970, 1, 1, 0, 1, 1) - 3600 * kTicks},
        StampCase{"", 0, utcStamp(1970, 1, 1, 0, 1, 1)},
        StampCase{"garbage", 0, utcStamp(1970, 1, 1, 0, 1, 1)},
        StampCase{"-2004:05:06 12:34:56", 0, utcStamp(1970, 5, 6, 12, 34, 56)},
        StampCase{"2004:-5:06 12:34:56", 0, utcStamp(2004, 1, 6, 12, 34, 56)},
        StampCase{"2004:05:06 -3:34:56", 0, utcStamp(2004, 5, 6, 0, 34, 56)},
        // Without the blank the hour piece is missing, so it counts as zero.
        StampCase{"2004:05:06T12:34:56", 0, utcStamp(2004, 5, 6, 0, 1, 1)}));

INSTANTIATE_TEST_SUITE_P(
    RollOver, PictureTimeStampTest,
    ::testing::Values(StampCase{"2004:02:30 10:11:12", 0, utcStamp(2004, 3, 1, 10, 11, 12)},
                      StampCase{"2003:02:29 10:11:12", 0, utcStamp(2003, 3, 1, 10, 11, 12)},
                      StampCase{"2004:02:29 10:11:12", 0, utcStamp(2004, 2, 29, 10, 11, 12)},
                      StampCase{"2004:13:01 10:10:10", 0, utcStamp(2005, 1, 1, 10, 10, 10)},
                      StampCase{"2004:25:01 10:10:10", 0, utcStamp(2006, 1, 1, 10, 10, 10)},
                      StampCase{"2004:12:31 23:59:60", 0, utcStamp(2005, 1, 1, 0, 0, 0)},
                      StampCase{"2004:12:31 24:00:00", 0, utcStamp(2005, 1, 1, 0, 1, 1)},
                      StampCase{"2004:01:01 10:99:10", 0, utcStamp(2004, 1, 1, 11, 39, 10)},
                      StampCase{"1969:12:31 23:59:59", 0, utcStamp(1969, 12, 31, 23, 59, 59)}));

INSTANTIATE_TEST_SUITE_P(
    HeldAtTheEnds, PictureTimeStampTest,
    ::testing::Values(
        StampCase{"1600:12:31 23:59:59", 0, 0},
        StampCase{"1601:01:01 00:00:00", 0, 61 * kTicks},
        StampCase{"1601:01:01 00:00:00", -60, 0},
        StampCase{"30827:12:31 23:59:59", 0, utcStamp(30827, 12, 31, 23, 59, 59)},
        StampCase{"30827:12:31 23:59:59", 60, kMaxStamp},
        StampCase{"99999:01:01 01:01:01", 0, kMaxStamp},
        StampCase{"99999999999999999999999999:99:99 99:99:99", 0, kMaxStamp},
        StampCase{"2004:99999999999999999999:01 01:01:01", 0, kMaxStamp},
        StampCase{"2004:01:99999999999999999999 01:01:01", 0, kMaxStamp},
        StampCase{"2004:01:01 99999999999999999999:01:01", 0, kMaxStamp},
        StampCase{"2004:01:01 01:99999999999999999999:01", 0, kMaxStamp},
        StampCase{"2004:01:01 01:01:99999999999999999999", 0, kMaxStamp},
        // INT_MAX minutes are some 4083 years: still inside the range.
        StampCase{"2004:05:06 12:34:56", INT_MAX,
                  utcStamp(2004, 5, 6, 12, 34, 56) + std::int64_t{INT_MAX} * 60 * kTicks},
        StampCase{"2004:05:06 12:34:56", INT_MIN, 0}));

TEST(PictureTimeStamp, LaterTextsGiveLaterStamps) {
    EXPECT_LT(pictureTimeStamp("2004:05:06 12:34:56", -60), pictureTimeStamp("2004:05:06 12:34:57", -60));
    EXPECT_LT(pictureTimeStamp("2004:05:06 23:59:59", -60), pictureTimeStamp("2004:05:07 00:00:01", -60));
}

}  // namespace
}  // namespace dz
