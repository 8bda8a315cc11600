#include "albums/CTimeFormat.h"
#include "albums/DateTimeText.h"

#include "ScriptedHost.h"

#include "LocalStamp.h"

#include <gtest/gtest.h>


namespace dz {
namespace {


struct TimeFormatWindow : ::testing::Test {
    test::ScriptedHost host;
    std::int32_t dateIndex = 4;
    std::int32_t timeIndex = 2;
    int reloads = 0;
    int saves = 0;
    CTimeFormat window{host, dateIndex, timeIndex, [this] { ++reloads; }, [this] { ++saves; },
                       test::localStamp(2006, 5, 14, 14, 5, 9)};
};

TEST_F(TimeFormatWindow, OpensWithSamplesOfNowAndTheCurrentChoice) {
    window.onInit();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(window.title(), "Date and Time format");
    EXPECT_EQ(window.control(CTimeFormat::kDateLabel).text, "Current date format:");
    EXPECT_EQ(window.control(CTimeFormat::kTimeLabel).text, "Current time format:");
    EXPECT_EQ(window.control(CTimeFormat::kDateList).items,
              (std::vector<std::string>{"2006-05-14", "14 05 2006", "14 May 2006", "May 14, 2006", "14 May 2006",
                                        "May 14, 2006", "Sun May 14, 2006", "Sunday May 14, 2006",
                                        "Sunday, 14 May 2006", "Sun, 14 May 2006"}));
    EXPECT_EQ(window.control(CTimeFormat::kTimeList).items,
              (std::vector<std::string>{"14 05 09", "02 05 09 PM"}));
    EXPECT_EQ(window.control(CTimeFormat::kDateList).selection, 3);
    EXPECT_EQ(window.control(CTimeFormat::kTimeList).selection, 1);
}

TEST_F(TimeFormatWindow, SaveStoresTheChoiceAndWritesTheFile) {
    window.onInit();
    window.control(CTimeFormat::kDateList).selection = 9;
    window.control(CTimeFormat::kTimeList).selection = 0;
    window.onCommand(CTimeFormat::kSave);
    EXPECT_TRUE(window.hasEnded());
    EXPECT_EQ(window.result(), kResultOk);
    EXPECT_EQ(dateIndex, 10);
    EXPECT_EQ(timeIndex, 1);
    EXPECT_EQ(saves, 1);
}

TEST_F(TimeFormatWindow, SaveWithNothingSelectedGivesEmptyBrackets) {
    window.onInit();
    window.control(CTimeFormat::kDateList).selection = -1;
    window.onCommand(CTimeFormat::kSave);
    EXPECT_EQ(dateIndex, 0);
    EXPECT_EQ(dateText(test::localStamp(2006, 5, 14, 14, 5, 9), dateIndex), "[]");
}

TEST_F(TimeFormatWindow, DiscardChangesNothing) {
    window.onInit();
    window.control(CTimeFormat::kDateList).selection = 0;
    window.onCommand(CTimeFormat::kDiscard);
    EXPECT_TRUE(window.hasEnded());
    EXPECT_EQ(window.result(), kResultCancel);
    EXPECT_EQ(dateIndex, 4);
    EXPECT_EQ(saves, 0);
}

TEST_F(TimeFormatWindow, IndexOutsideTheListsSelectsNothing) {
    dateIndex = 0;
    timeIndex = 7;
    window.onInit();
    EXPECT_EQ(window.control(CTimeFormat::kDateList).selection, -1);
    EXPECT_EQ(window.control(CTimeFormat::kTimeList).selection, -1);
}

TEST_F(TimeFormatWindow, F1OpensTopic13) {
    window.setHelpFile("/start/DEZOREDU.HLP");
    window.onHelp();
    ASSERT_EQ(host.helpRequests.size(), 1u);
    EXPECT_EQ(host.helpRequests[0].topic, 13);
    EXPECT_EQ(host.helpRequests[0].file, "/start/DEZOREDU.HLP");
}

}  // namespace
}  // namespace dz
