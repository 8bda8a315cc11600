#include "catalogue/FileNameDate.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace dz {
namespace {

struct NameCase {
    const char* name;
    const char* dateTime;  // null: no date in the name
    bool timeKnown;
};

// The names phones, cameras and messengers write, and names that only look
// like them.
TEST(FileNameDate, TheNamesPhonesCamerasAndMessengersWrite) {
    const NameCase cases[] = {
        {"IMG_20240711_130000.jpg", "2024:07:11 13:00:00", true},
        {"VID_20240711_130005.mp4", "2024:07:11 13:00:05", true},
        {"IMG-20240711-WA0001.jpg", "2024:07:11 12:00:00", false},
        {"Screenshot_20240711-130000.png", "2024:07:11 13:00:00", true},
        {"Screenshot 2024-07-11 at 13.00.00.png", "2024:07:11 13:00:00", true},
        {"2024-07-11 13.00.00.jpg", "2024:07:11 13:00:00", true},
        {"20240711_235959.jpg", "2024:07:11 23:59:59", true},
        {"Trip 2024-07-11.jpg", "2024:07:11 12:00:00", false},
        {"IMG_0001.JPG", nullptr, false},
        {"P1010001.JPG", nullptr, false},
        {"IMG_20241311_130000.jpg", nullptr, false},     // month 13
        {"IMG_20240230_130000.jpg", nullptr, false},     // 30 February
        {"IMG_120240711_130000.jpg", nullptr, false},    // nine digits
        {"IMG_20240711_250000.jpg", "2024:07:11 12:00:00", false},  // hour 25: the date alone
        {"2024-07-1", nullptr, false},
        {"", nullptr, false},
    };
    for (const NameCase& c : cases) {
        const auto found = dateInFileName(c.name);
        if (c.dateTime == nullptr) {
            EXPECT_FALSE(found) << c.name << " gave " << found->dateTime;
            continue;
        }
        ASSERT_TRUE(found) << c.name;
        EXPECT_EQ(found->dateTime, c.dateTime) << c.name;
        EXPECT_EQ(found->timeKnown, c.timeKnown) << c.name;
    }
}

// A Pixel names its files in UTC.
TEST(FileNameDate, APixelNameIsUtcTurnedIntoLocalTime) {
    const char* before = std::getenv("TZ");
    const std::string kept = before ? before : "";
    ::setenv("TZ", "Europe/Lisbon", 1);
    ::tzset();
    const auto found = dateInFileName("PXL_20240711_230000123.jpg");
    before ? ::setenv("TZ", kept.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->dateTime, "2024:07:12 00:00:00");
}

}  // namespace
}  // namespace dz
