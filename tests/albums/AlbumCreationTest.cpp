#include "albums/AlbumMembership.h"

#include "MembershipFixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dz::test {
namespace {

constexpr const char* kNoFreePicture =
    "Picture List is empty. All pictures are in albums. Double click on any album's name from "
    "Album List to view album's pictures";

using CreateAlbumTest = MembershipTest;

TEST_F(CreateAlbumTest, FirstAlbumIsNumberOneEvenWithoutFreePictures) {
    add("a.jpg", "2006:05:01 10:00:00", 4);

    EXPECT_TRUE(createAlbum(albums, editing, reader, host));

    ASSERT_EQ(albums.size(), 1u);
    const Album& a = albums[0];
    EXPECT_EQ(a.id, 1);
    EXPECT_EQ(a.isNew, 1);
    EXPECT_FALSE(a.hasBothKeys());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CreateAlbumTest, RefusedWhenEveryPictureHasAnAlbum) {
    add("a.jpg", "2006:05:01 10:00:00", 1);
    add("b.jpg", "2006:05:01 11:00:00", 1);
    album(1);

    EXPECT_FALSE(createAlbum(albums, editing, reader, host));

    EXPECT_EQ(albums.size(), 1u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kNoFreePicture);
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Information);
    EXPECT_EQ(host.messages[0].buttons, Buttons::Ok);
    EXPECT_TRUE(editing.film.empty());
}

TEST_F(CreateAlbumTest, NextIdFollowsTheLastAlbumAfterADeletionInTheMiddle) {
    add("c.jpg", "2006:05:01 12:00:00", 0);
    add("a.jpg", "2006:05:01 10:00:00", 0);
    add("b.jpg", "2006:05:01 11:00:00", 3);
    add("d.jpg", "2006:05:01 09:00:00", 0);
    album(1);
    album(3);  // album 2 was deleted

    EXPECT_TRUE(createAlbum(albums, editing, reader, host));

    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums.back().id, 4);
    EXPECT_EQ(albums.back().isNew, 1);
    // The free pictures, by date.
    EXPECT_EQ(filmNames(), (std::vector<std::string>{"d.jpg", "a.jpg", "c.jpg"}));
    EXPECT_TRUE(host.messages.empty());
}

// ---- The current album ----------------------------------------------------

struct CurrentCase {
    const char* label;
    std::vector<std::int32_t> ids;
    std::int32_t editingAlbum;
    std::int32_t editedAlbumId;
    int expectedIndex;  // -1: none
};

void PrintTo(const CurrentCase& c, std::ostream* os) { *os << c.label; }

class CurrentAlbumTest : public ::testing::TestWithParam<CurrentCase> {};

TEST_P(CurrentAlbumTest, FindsTheEditedOrTheLastAlbum) {
    AlbumList albums;
    for (std::int32_t id : GetParam().ids) {
        albums.emplace_back();
        albums.back().id = id;
    }
    AlbumEditing editing;
    editing.editingAlbum = GetParam().editingAlbum;
    editing.editedAlbumId = GetParam().editedAlbumId;

    const Album* found = currentAlbum(albums, editing);

    if (GetParam().expectedIndex < 0) {
        EXPECT_EQ(found, nullptr);
        return;
    }
    EXPECT_EQ(found, &albums[static_cast<std::size_t>(GetParam().expectedIndex)]);
}

INSTANTIATE_TEST_SUITE_P(Albums, CurrentAlbumTest,
                         ::testing::Values(CurrentCase{"NewAlbumIsTheLast", {1, 2, 5}, 0, 2, 2},
                                           CurrentCase{"EditedById", {1, 2, 5}, 1, 2, 1},
                                           CurrentCase{"EditedIdMissing", {1, 2, 5}, 1, 3, -1},
                                           CurrentCase{"NoAlbum", {}, 0, 0, -1}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace dz::test
