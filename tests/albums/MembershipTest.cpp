#include "albums/AlbumMembership.h"

#include "MembershipFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace dz::test {
namespace {

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// ---- The time range -------------------------------------------------------

struct RangeCase {
    const char* label;
    const char* start;
    std::int64_t startOffset;  // in stamp units, from the start picture's key
    const char* end;
    std::int64_t endOffset;
    std::vector<std::string> expected;  // sorted
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.label; }

class RangeTest : public MembershipTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeTest, FilmHoldsExactlyThePicturesInRange) {
    add("a.jpg", "2006:05:01 10:00:00");
    add("b.jpg", "2006:05:01 11:00:00");
    add("b2.jpg", "2006:05:01 11:00:00");
    add("c.jpg", "2006:05:01 12:00:00");
    add("d.jpg", "2006:05:01 13:00:00");
    const RangeCase& c = GetParam();
    Album& a = album(1);
    a.setStart(keyOf(c.start) + c.startOffset);
    a.setEnd(keyOf(c.end) + c.endOffset);

    pass();

    EXPECT_EQ(sorted(filmNames()), c.expected);
    EXPECT_EQ(albums[0].pictureCount, static_cast<int>(c.expected.size()));
    EXPECT_EQ(editing.inAlbumsCount, static_cast<int>(c.expected.size()));
    EXPECT_EQ(editing.outsideCount, 0);
    for (const PictureRecord& copy : editing.film) {
        EXPECT_EQ(copy.albumId, 1) << copy.path;
    }
    // A new album marks nothing in the catalogue; the window's commit does.
    for (const PictureRecord& r : reader.catalogue()) {
        EXPECT_EQ(r.albumId, 0) << r.path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, RangeTest,
    ::testing::Values(
        RangeCase{"BothEndsInclusive", "b.jpg", 0, "c.jpg", 0, {"b.jpg", "b2.jpg", "c.jpg"}},
        RangeCase{"OnePictureForBothEnds", "b.jpg", 0, "b.jpg", 0, {"b.jpg", "b2.jpg"}},
        RangeCase{"JustInsideTheEnds", "b.jpg", 1, "c.jpg", -1, {}},
        RangeCase{"JustOutsideTheEnds", "b.jpg", -1, "c.jpg", 1, {"b.jpg", "b2.jpg", "c.jpg"}},
        RangeCase{"WholeCatalogue", "a.jpg", 0, "d.jpg", 0, {"a.jpg", "b.jpg", "b2.jpg", "c.jpg", "d.jpg"}},
        RangeCase{"EndBeforeStart", "c.jpg", 0, "b.jpg", 0, {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MembershipTest, EveryPictureOutOfRangeLeavesTheFilmWhereverItStands) {
    // Leaving pictures at the front, in a row and at the back.
    add("a.jpg", "2006:05:01 10:00:00", 1);
    add("b.jpg", "2006:05:01 11:00:00", 1);
    add("c.jpg", "2006:05:01 12:00:00", 1);
    add("d.jpg", "2006:05:01 13:00:00", -1);
    add("e.jpg", "2006:05:01 14:00:00", 1);
    add("f.jpg", "2006:05:01 15:00:00", -1);
    Album& a = album(1);
    a.setStart(keyOf("c.jpg"));
    a.setEnd(keyOf("d.jpg"));
    edit(1);

    pass();

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"c.jpg", "d.jpg"}));
    EXPECT_EQ(albums[0].pictureCount, 2);
    // Released pictures are marked until the window commits; kept ones are
    // marked on the film only.
    EXPECT_EQ(record("a.jpg").albumId, -1);
    EXPECT_EQ(record("b.jpg").albumId, -1);
    EXPECT_EQ(record("c.jpg").albumId, 1);
    EXPECT_EQ(record("d.jpg").albumId, -1);
    EXPECT_EQ(record("e.jpg").albumId, -1);
    EXPECT_EQ(record("f.jpg").albumId, -1);
    EXPECT_EQ(onFilm("d.jpg")->albumId, 1);
}

// ---- Counting -------------------------------------------------------------

TEST_F(MembershipTest, NegativePictureInRangeCountsOnlyAsOutside) {
    add("a.jpg", "2006:05:01 10:00:00", 0, 2097152);
    add("b.jpg", "2006:05:01 11:00:00", 0, 1048576);
    add("c.jpg", "2006:05:01 12:00:00", 0, 1048576);
    Album& a = album(1);
    a.setStart(keyOf("a.jpg"));
    a.setEnd(keyOf("c.jpg"));
    // The user flipped a.jpg on the film shown before.
    editing.film.push_back(record("a.jpg"));
    editing.film.back().isNegative = 1;

    pass();

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(record("a.jpg").isNegative, 1);
    EXPECT_EQ(editing.outsideCount, 1);
    EXPECT_EQ(albums[0].pictureCount, 2);
    EXPECT_EQ(editing.inAlbumsCount, 2);
    EXPECT_FLOAT_EQ(albums[0].sizeMB, 2.0f);
}

TEST_F(MembershipTest, NegativeMarkReturnsOnlyToItsOwnRecordBeforeTheFilmIsNumbered) {
    add("a.jpg", "2006:05:01 10:00:00");
    add("b.jpg", "2006:05:01 11:00:00");
    add("c.jpg", "2006:05:01 12:00:00");
    for (PictureRecord& r : reader.catalogue()) {
        r.block->filmImageIndex = -1;
    }
    album(1);
    editing.film.push_back(record("b.jpg"));
    editing.film.back().isNegative = 1;

    pass();

    EXPECT_EQ(record("a.jpg").isNegative, 0);
    EXPECT_EQ(record("b.jpg").isNegative, 1);
    EXPECT_EQ(record("c.jpg").isNegative, 0);
}

TEST_F(MembershipTest, CountsFromZeroOnEveryPass) {
    add("a.jpg", "2006:05:01 10:00:00", 0, 1048576);
    add("b.jpg", "2006:05:01 11:00:00", 2);
    album(2);
    Album& a = album(3);
    a.setStart(keyOf("a.jpg"));
    a.setEnd(keyOf("a.jpg"));

    pass();
    pass();

    EXPECT_EQ(albums[1].pictureCount, 1);
    EXPECT_FLOAT_EQ(albums[1].sizeMB, 1.0f);
    EXPECT_EQ(editing.inAlbumsCount, 2);
    EXPECT_EQ(filmNames(), (std::vector<std::string>{"a.jpg"}));
}

// ---- Which pictures reach the film ----------------------------------------

TEST_F(MembershipTest, NewAlbumLeavesOtherAlbumsPicturesOffTheFilm) {
    add("a.jpg", "2006:05:01 10:00:00", 1);
    add("b.jpg", "2006:05:01 11:00:00", 1);
    add("c.jpg", "2006:05:01 12:00:00", 0);
    add("d.jpg", "2006:05:01 13:00:00", 2);
    album(1);
    Album& a = album(2);
    a.setStart(keyOf("a.jpg"));
    a.setEnd(keyOf("d.jpg"));

    pass();

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"c.jpg", "d.jpg"}));
    EXPECT_EQ(editing.inAlbumsCount, 4);  // two of album 1, two counted in album 2
    EXPECT_EQ(albums[1].pictureCount, 2);
}

TEST_F(MembershipTest, EditingWithBothEndsShowsItsOwnAndReleasedPicturesOnly) {
    add("a.jpg", "2006:05:01 10:00:00", 1);
    add("b.jpg", "2006:05:01 11:00:00", 2);
    add("c.jpg", "2006:05:01 12:00:00", -1);
    Album& a = album(1);
    a.setStart(keyOf("a.jpg"));
    a.setEnd(keyOf("c.jpg"));
    album(2);
    edit(1);

    pass();

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"a.jpg", "c.jpg"}));
    EXPECT_EQ(editing.inAlbumsCount, 3);  // b of album 2, a and c counted
    EXPECT_EQ(albums[0].pictureCount, 2);
    EXPECT_EQ(onFilm("c.jpg")->albumId, 1);
    EXPECT_EQ(record("c.jpg").albumId, -1);  // the commit resolves it
    EXPECT_EQ(record("b.jpg").albumId, 2);
}

TEST_F(MembershipTest, EditingWithAnEndClearedShowsFreePicturesAndGivesThemTheAlbum) {
    add("a.jpg", "2006:05:01 10:00:00", 0);
    add("b.jpg", "2006:05:01 11:00:00", 1);
    add("c.jpg", "2006:05:01 12:00:00", 2);
    add("d.jpg", "2006:05:01 13:00:00", -1);
    Album& a = album(1);
    a.setStart(keyOf("b.jpg"));
    a.pictureCount = 7;
    a.sizeMB = 1.5f;
    album(2);
    edit(1);

    pass();

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "d.jpg"}));
    EXPECT_EQ(record("a.jpg").albumId, 1);
    EXPECT_EQ(onFilm("a.jpg")->albumId, 0);
    EXPECT_EQ(record("c.jpg").albumId, 2);
    EXPECT_EQ(record("d.jpg").albumId, -1);
    EXPECT_EQ(editing.inAlbumsCount, 1);
    // Without both ends the album keeps the counts of its last full pass.
    EXPECT_EQ(albums[0].pictureCount, 7);
    EXPECT_FLOAT_EQ(albums[0].sizeMB, 1.5f);
}

// ---- Duplicates -----------------------------------------------------------

struct DuplicateCase {
    const char* label;
    bool excludeDuplicates;
    std::int32_t isDuplicate;
    bool onFilm;
};

void PrintTo(const DuplicateCase& c, std::ostream* os) { *os << c.label; }

class DuplicateTest : public MembershipTest, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(DuplicateTest, DuplicateLeavesTheFilmOnlyWhileExcluded) {
    add("a.jpg", "2006:05:01 10:00:00");
    add("b.jpg", "2006:05:01 11:00:00");
    record("b.jpg").isDuplicate = GetParam().isDuplicate;
    Album& a = album(1);
    a.setStart(keyOf("a.jpg"));
    a.setEnd(keyOf("b.jpg"));

    pass(GetParam().excludeDuplicates);

    EXPECT_EQ(onFilm("b.jpg") != nullptr, GetParam().onFilm);
    EXPECT_EQ(albums[0].pictureCount, GetParam().onFilm ? 2 : 1);
    EXPECT_EQ(editing.inAlbumsCount, GetParam().onFilm ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Setting, DuplicateTest,
                         ::testing::Values(DuplicateCase{"ExcludedDuplicate", true, 1, false},
                                           DuplicateCase{"ShownDuplicate", false, 1, true},
                                           DuplicateCase{"ExcludedSettingOriginal", true, 0, true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(MembershipTest, ExcludedDuplicateIsNotGivenAnOpenAlbum) {
    add("a.jpg", "2006:05:01 10:00:00");
    add("b.jpg", "2006:05:01 11:00:00");
    record("b.jpg").isDuplicate = 1;
    album(1);
    edit(1);

    pass(true);

    EXPECT_EQ(filmNames(), (std::vector<std::string>{"a.jpg"}));
    EXPECT_EQ(record("a.jpg").albumId, 1);
    EXPECT_EQ(record("b.jpg").albumId, 0);
}

// ---- Film order -----------------------------------------------------------

struct SortCase {
    const char* label;
    std::int32_t sortByDate;
    std::int32_t sortAscending;
    std::vector<std::string> order;
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.label; }

class FilmOrderTest : public MembershipTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(FilmOrderTest, FilmFollowsTheViewSettings) {
    add("b.jpg", "2006:05:01 10:00:00");
    add("A.jpg", "2006:05:01 12:00:00");
    add("C.jpg", "2006:05:01 11:00:00");
    album(1);
    view.sortByDate = GetParam().sortByDate;
    view.sortAscending = GetParam().sortAscending;

    pass();

    EXPECT_EQ(filmNames(), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    View, FilmOrderTest,
    ::testing::Values(SortCase{"DateAscending", 1, 1, {"b.jpg", "C.jpg", "A.jpg"}},
                      SortCase{"DateDescending", 1, 0, {"A.jpg", "C.jpg", "b.jpg"}},
                      SortCase{"NameAscending", 0, 1, {"A.jpg", "b.jpg", "C.jpg"}},
                      SortCase{"NameDescending", 0, 0, {"C.jpg", "b.jpg", "A.jpg"}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace dz::test
