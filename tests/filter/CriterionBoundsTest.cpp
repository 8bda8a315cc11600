#include "filter/CriterionBounds.h"
#include "filter/FilterControls.h"
#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <set>

namespace dz {
namespace {

// Each criterion's bounds land in its own fields: a bound written through
// the helpers must switch on exactly that criterion's test.
class CriterionBoundsTest : public ::testing::TestWithParam<Criterion> {};

TEST_P(CriterionBoundsTest, WritesOnlyItsOwnFields) {
    const Criterion c = GetParam();
    FilterCriteria f;
    FilterCriteria untouched;
    EXPECT_FALSE(holdsValue(f, c));
    setBounds(f, c, 5, 2);
    EXPECT_TRUE(holdsValue(f, c));
    EXPECT_EQ(maxBound(f, c), 5);
    EXPECT_EQ(minBound(f, c), isChoiceCriterion(c) ? 5 : 2);
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto other = static_cast<Criterion>(i);
        if (other != c) {
            EXPECT_FALSE(holdsValue(f, other)) << i;
        }
    }
    // The matching rule sees the bound: a picture with none of the values fails.
    f.enabled = 1;
    UseFlags shown{};
    shown[static_cast<std::size_t>(c)] = true;
    TestedCriteria tested;
    picturePassesFilter(f, shown, ExifInfo{}, &tested);
    EXPECT_TRUE(tested.criterion[static_cast<std::size_t>(c)]);

    f.enabled = 0;
    clearCriterion(f, c);
    EXPECT_FALSE(holdsValue(f, c));
    EXPECT_EQ(f, untouched);
}

INSTANTIATE_TEST_SUITE_P(Every, CriterionBoundsTest,
                         ::testing::Values(Criterion::Width, Criterion::FocalLength, Criterion::Resolution,
                                           Criterion::ExposureTime, Criterion::Aperture, Criterion::Iso,
                                           Criterion::FocusDistance, Criterion::ExposureBias, Criterion::Flash,
                                           Criterion::Metering, Criterion::Program, Criterion::Whitebalance));

TEST(FilterControlsTest, EveryControlIdIsUsedOnceAndFindsItsRow) {
    std::set<int> ids;
    for (const CriterionControls& row : kFilterRows) {
        for (int id : {row.maxChoice, row.minChoice, row.checkBox, row.reset, row.indicator}) {
            if (id == 0) {
                continue;
            }
            EXPECT_TRUE(ids.insert(id).second) << id;
            ASSERT_NE(filterRowOfControl(id), nullptr) << id;
            EXPECT_EQ(filterRowOfControl(id)->list, row.list) << id;
        }
        EXPECT_EQ(&filterRow(row.list), &row);
        EXPECT_EQ(row.minChoice == 0, isChoiceList(row.list)) << row.label;
    }
    EXPECT_EQ(filterRowOfControl(0), nullptr);
    EXPECT_EQ(filterRowOfControl(1105), nullptr);
    EXPECT_EQ(criterionOf(ValueList::Camera), std::nullopt);
    EXPECT_EQ(criterionOf(ValueList::Whitebalance), Criterion::Whitebalance);
}

TEST(FilterControlsTest, IndicatorStatesLookApart) {
    const auto chosen = indicatorPicture(kIndicatorChosen);
    EXPECT_EQ(chosen.size(), static_cast<std::size_t>(kIndicatorSize * kIndicatorSize * 3));
    EXPECT_NE(chosen, indicatorPicture(kIndicatorActive));
    EXPECT_NE(chosen, indicatorPicture(kIndicatorOff));
    EXPECT_NE(indicatorPicture(kIndicatorOff), indicatorPicture(kIndicatorUnset));
}

}  // namespace
}  // namespace dz
