#include "suggest/Suggestion.h"

#include "ShotTable.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

using test::kKyoto;
using test::kNara;
using test::kTokyo;
using test::shotsOf;
using Starts = std::vector<std::size_t>;

struct ModeCase {
    const char* what;
    SuggestSettings settings;
    std::vector<test::ShotRow> rows;
    Starts starts;
};

SuggestSettings mode(SuggestMode m) {
    SuggestSettings settings;
    settings.mode = m;
    return settings;
}

SuggestSettings events(double gapHours, double jumpKm) {
    SuggestSettings settings = mode(SuggestMode::Events);
    settings.events = {gapHours, jumpKm};
    return settings;
}

SuggestSettings days(int cutoffMinutes) {
    SuggestSettings settings = mode(SuggestMode::Days);
    settings.days.cutoffMinutes = cutoffMinutes;
    return settings;
}

SuggestSettings stays(double radiusKm, double gapHours) {
    SuggestSettings settings = mode(SuggestMode::Places);
    settings.stays = {radiusKm, gapHours};
    return settings;
}

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.what;
}

class SuggestModes : public testing::TestWithParam<ModeCase> {};

TEST_P(SuggestModes, BeginAlbumsWhereLabelled) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(suggestionStarts(shotsOf(c.rows), c.settings), c.starts) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SuggestModes,
    testing::Values(
        ModeCase{"a pause of exactly the gap keeps one event, a longer one parts it", events(2, 300),
                 {{"2024-07-05 09:00:00", 9}, {"2024-07-05 11:00:00", 9}, {"2024-07-05 13:00:01", 9}},
                 {0, 2}},
        ModeCase{"a camera without position between phone shots of one town breaks nothing", events(14, 30),
                 {{"2024-07-05 09:00:00", 9, kKyoto}, {"2024-07-05 09:30:00", 9}, {"2024-07-05 12:00:00", 9, kKyoto}},
                 {0}},
        ModeCase{"a jump begins the event after the longest pause, the camera's arrival shot with it",
                 events(14, 100),
                 {{"2024-07-05 09:00:00", 9, kKyoto},
                  {"2024-07-05 09:40:00", 9},
                  {"2024-07-05 13:00:00", 9},
                  {"2024-07-05 13:20:00", 9, kTokyo}},
                 {0, 2}},
        ModeCase{"a move shorter than the jump is no new event", events(14, 100),
                 {{"2024-07-05 09:00:00", 9, kKyoto}, {"2024-07-05 12:00:00", 9, kNara}}, {0}},
        // 08:00 in Kyoto is the evening before in UTC: the day is the place's.
        ModeCase{"camera and phone shots of one local day, across the UTC midnight, are one day", days(240),
                 {{"2024-07-05 08:00:00", 9, kKyoto}, {"2024-07-05 10:00:00", 9}, {"2024-07-05 21:00:00", 9, kKyoto},
                  {"2024-07-06 08:00:00", 9}},
                 {0, 3}},
        ModeCase{"past midnight and before the cut-off is the evening before", days(240),
                 {{"2024-07-05 22:00:00", 2}, {"2024-07-06 01:30:00", 2}, {"2024-07-06 03:59:59", 2},
                  {"2024-07-06 04:00:00", 2}},
                 {0, 3}},
        ModeCase{"without a cut-off midnight parts the party", days(0),
                 {{"2024-07-05 22:00:00", 2}, {"2024-07-06 01:30:00", 2}}, {0, 1}},
        ModeCase{"a month ends with the last day's night", mode(SuggestMode::Months),
                 {{"2024-07-31 23:00:00", 2}, {"2024-08-01 02:00:00", 2}, {"2024-08-01 10:00:00", 2},
                  {"2024-08-31 10:00:00", 2}, {"2025-01-01 10:00:00", 1}},
                 {0, 2, 4}},
        ModeCase{"shots without position stay in the stay around them, the move after the longest pause",
                 stays(20, 168),
                 {{"2024-07-05 09:00:00", 9, kKyoto},
                  {"2024-07-05 09:30:00", 9},
                  {"2024-07-05 10:00:00", 9},
                  {"2024-07-05 15:00:00", 9, kKyoto},
                  {"2024-07-05 15:20:00", 9},
                  {"2024-07-05 17:00:00", 9},
                  {"2024-07-05 17:10:00", 9, kNara}},
                 {0, 5}},
        ModeCase{"a night is no journey: the camera's morning stays in the town of the evening", stays(20, 168),
                 {{"2024-07-05 21:00:00", 9, kKyoto},
                  {"2024-07-06 08:54:00", 9},
                  {"2024-07-06 09:30:00", 9},
                  {"2024-07-06 11:30:00", 9, kNara}},
                 {0, 3}},
        ModeCase{"a long absence ends a stay at the same place", stays(20, 168),
                 {{"2024-07-05 09:00:00", 9, kKyoto}, {"2024-07-08 09:00:00", 9, kKyoto},
                  {"2024-07-20 09:00:00", 9, kKyoto}},
                 {0, 2}},
        ModeCase{"a stay is measured from where it began, not from the last shot", stays(20, 168),
                 {{"2024-07-05 09:00:00", 9, std::pair{35.00, 135.77}},
                  {"2024-07-05 10:00:00", 9, std::pair{34.88, 135.77}},
                  {"2024-07-05 11:00:00", 9, std::pair{34.76, 135.77}}},
                 {0, 2}}),
    [](const testing::TestParamInfo<ModeCase>& info) { return "case" + std::to_string(info.index); });

// The slider's count must be the count the suggestion would make, also where
// a jump and a long pause begin the same event and where shots share a key.
TEST(EventCounts, CountAsManyEventsAsTheSuggestionAtEveryGap) {
    const std::vector<SuggestShot> shots = shotsOf({{"2024-07-05 09:00:00", 9, kKyoto},
                                                    {"2024-07-05 09:00:00", 9, kTokyo},
                                                    {"2024-07-05 12:00:00", 9},
                                                    {"2024-07-06 09:00:00", 9, kKyoto},
                                                    {"2024-07-06 10:30:00", 9},
                                                    {"2024-07-08 10:00:00", 9, kTokyo},
                                                    {"2024-07-08 10:00:05", 9, kTokyo}});
    const EventCounts counts(shots, 100);
    for (const double gap : {0.0, 0.001, 1.0, 1.5, 3.0, 20.0, 21.0, 47.5, 100.0}) {
        SuggestSettings settings = events(gap, 100);
        EXPECT_EQ(counts.albumsFor(gap), suggestAlbums(shots, settings).size()) << gap;
    }
    EXPECT_EQ(EventCounts({}, 100).albumsFor(1), 0u);
}

}  // namespace
}  // namespace dz
