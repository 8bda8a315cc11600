#include "albums/AlbumMembership.h"

#include "MembershipFixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dz::test {
namespace {

struct FilterCase {
    const char* label;
    bool windowOpen;
    const char* camera;
    std::int32_t enabled;
    bool widthShown;
    std::vector<std::string> film;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.label; }

class FilterStageTest : public MembershipTest, public ::testing::WithParamInterface<FilterCase> {
protected:
    void SetUp() override {
        add("a.jpg", "2006:05:01 10:00:00", 1, 1000, "CamA");
        add("b.jpg", "2006:05:01 11:00:00", 1, 1000, "CamB");
        add("c.jpg", "2006:05:01 12:00:00", 1, 1000, "CamB");
        record("a.jpg").exif().width = 640;
        record("b.jpg").exif().width = 2000;
        record("c.jpg").exif().width = 800;
        Album& a = album(1);
        a.setStart(keyOf("a.jpg"));
        a.setEnd(keyOf("c.jpg"));
        edit(1);
    }
};

TEST_P(FilterStageTest, FilterNarrowsTheRangeOnlyWhileItsWindowIsOpen) {
    const FilterCase& c = GetParam();
    FilterCriteria& f = albums[0].filter;
    f.camera = c.camera;
    f.model = "All";
    f.enabled = c.enabled;
    f.widthMax = 1000;
    std::optional<OpenFilterWindow> window;
    if (c.windowOpen) {
        window.emplace();
        window->shown[static_cast<std::size_t>(Criterion::Width)] = c.widthShown;
    }

    pass(false, window);

    EXPECT_EQ(filmNames(), c.film);
    EXPECT_EQ(albums[0].pictureCount, static_cast<int>(c.film.size()));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        const bool kept = onFilm(name) != nullptr;
        EXPECT_EQ(record(name).albumId, kept ? 1 : -1) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Window, FilterStageTest,
    ::testing::Values(FilterCase{"ClosedWindowFiltersNothing", false, "CamB", 1, true, {"a.jpg", "b.jpg", "c.jpg"}},
                      FilterCase{"CameraTestedWhileDisabled", true, "CamB", 0, true, {"b.jpg", "c.jpg"}},
                      FilterCase{"OtherCriteriaWaitForEnabled", true, "All", 0, true, {"a.jpg", "b.jpg", "c.jpg"}},
                      FilterCase{"ShownCriterionWhenEnabled", true, "All", 1, true, {"a.jpg", "c.jpg"}},
                      FilterCase{"CriterionNotShown", true, "All", 1, false, {"a.jpg", "b.jpg", "c.jpg"}},
                      FilterCase{"CameraAndCriterion", true, "CamB", 1, true, {"c.jpg"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FilterStageTest, NegativePictureTheFilterTakesOutIsNotCountedOutside) {
    editing.film.push_back(record("b.jpg"));
    editing.film.back().isNegative = 1;
    albums[0].filter.camera = "CamA";
    albums[0].filter.model = "All";

    pass(false, OpenFilterWindow{});

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"a.jpg"}));
    EXPECT_EQ(editing.outsideCount, 0);
}

TEST_F(FilterStageTest, TestedNotesDescribeTheLatestPassOnly) {
    TestedCriteria tested;
    OpenFilterWindow window;
    window.tested = &tested;
    albums[0].filter.camera = "CamB";
    albums[0].filter.model = "All";
    pass(false, window);
    ASSERT_TRUE(tested.camera);

    albums[0].filter.camera = "All";
    pass(false, window);

    EXPECT_FALSE(tested.camera);
}

}  // namespace
}  // namespace dz::test
