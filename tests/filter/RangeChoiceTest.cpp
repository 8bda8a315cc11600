#include "filter/RangeChoice.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace dz {
namespace {

std::vector<RangeEntry> entries(const std::vector<double>& values) {
    std::vector<RangeEntry> list;
    for (double v : values) {
        list.push_back(RangeEntry{std::to_string(v), v, 0});
    }
    return list;
}

std::vector<double> values(const std::vector<RangeEntry>& list) {
    std::vector<double> v;
    for (const RangeEntry& e : list) {
        v.push_back(e.value);
    }
    return v;
}

TEST(MinChoices, OfferOnlyTheValuesOnTheFarSideOfMax) {
    const std::vector<double> times = {1.0 / 30, 1.0 / 125, 1.0 / 250};
    EXPECT_EQ(values(minChoices(entries(times), 1.0 / 125, RangeOrder::LargestFirst)),
              (std::vector<double>{1.0 / 125, 1.0 / 250}));
    EXPECT_EQ(values(minChoices(entries({2.8, 5.6, 8}), 2.8, RangeOrder::SmallestFirst)),
              (std::vector<double>{2.8, 5.6, 8}));
    EXPECT_EQ(values(minChoices(entries({2.8, 5.6, 8}), 5.6, RangeOrder::SmallestFirst)),
              (std::vector<double>{5.6, 8}));
    // Two sizes of one width: choosing the second as Max still offers the first.
    EXPECT_EQ(values(minChoices(entries({4000, 3000, 3000, 2000}), 3000, RangeOrder::LargestFirst)),
              (std::vector<double>{3000, 3000, 2000}));
}

struct SelectionCase {
    std::vector<double> list;
    RangeOrder order;
    double stored;
    std::optional<std::size_t> selected;
};

TEST(MaxSelection, FollowsTheStoredBound) {
    const auto largest = RangeOrder::LargestFirst;
    const auto smallest = RangeOrder::SmallestFirst;
    const std::vector<SelectionCase> cases = {
        {{800, 400, 100}, largest, 0, 0},    {{800, 400, 100}, largest, 1600, 0},
        {{800, 400, 100}, largest, 50, 2},   {{800, 400, 100}, largest, 400, 1},
        {{800, 400, 100}, largest, 200, {}}, {{}, largest, 400, {}},
        {{2.8, 5.6, 8}, smallest, 2, 0},     {{2.8, 5.6, 8}, smallest, 11, 2},
        {{2.8, 5.6, 8}, smallest, 5.6, 1},
    };
    for (const SelectionCase& c : cases) {
        EXPECT_EQ(maxSelection(entries(c.list), c.stored, c.order), c.selected) << c.stored;
    }
}

TEST(MinSelection, TakesTheStoredMinOrTheLast) {
    const auto list = entries({400, 200, 100});
    EXPECT_EQ(minSelection(list, 800, 200), 1u);
    EXPECT_EQ(minSelection(list, 800, 150), 2u);
    EXPECT_EQ(minSelection(list, 0, 200), 2u);
    EXPECT_EQ(minSelection({}, 800, 200), std::nullopt);
}

}  // namespace
}  // namespace dz
