#include "MainWindowFixture.h"
#include "ZoneScope.h"

#include "albums/AlbumMembership.h"
#include "albums/CManualTime.h"
#include "albums/CViewPhoto.h"
#include "albums/DateTimeText.h"

#include <gmock/gmock.h>

namespace dz {
namespace {

using namespace mainwin;
using W = CViewPhoto;

// Three real camera pictures; by date: fuji (2006), canon (May 2008), nikon (October 2008).
class MainWindowEditAlbum : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        source.write("a-canon.jpg", test::readTestData("canon-40d.jpg"));
        source.write("b-nikon.jpg", test::readTestData("nikon-640x480-exif-thumbnail-160x120.jpg"));
        source.write("c-fuji.jpg", test::readTestData("fujifilm-e500-big-endian.jpg"));
        start();
        host.browseTo(source.str());
        window->onCommand(kMenuSelectSource);
        ASSERT_EQ(state.dirReader->catalogue().size(), 3u);
    }

    // The Edit Album window's next run selects film items `first` and `last`
    // as the range ends, names the album and presses Save Album.
    void scriptRange(int first, int last, const std::string& name) {
        host.onModal("CViewPhoto", [first, last, name](Window& w) {
            w.control(W::kFilm).selection = first;
            w.onSelectionChanged(W::kFilm);
            w.onCommand(W::kSetStart);
            w.control(W::kFilm).selection = last;
            w.onSelectionChanged(W::kFilm);
            w.onCommand(W::kSetEnd);
            w.control(W::kName).text = name;
            w.onTextChanged(W::kName);
            w.onCommand(W::kSave);
        });
    }

    std::vector<std::int32_t> albumIds() const {
        std::vector<std::int32_t> ids;
        for (const auto& picture : state.dirReader->catalogue()) {
            ids.push_back(picture.albumId);
        }
        return ids;
    }
};

TEST_F(MainWindowEditAlbum, SavedNewAlbumIsCommittedAndListed) {
    scriptRange(0, 1, "Early");
    window->onCommand(kMenuStartPositive);
    ASSERT_EQ(state.albums.size(), 1u);
    const Album& album = state.albums[0];
    EXPECT_EQ(album.name, "Early");
    EXPECT_EQ(album.isNew, 0);
    EXPECT_EQ(album.pictureCount, 2);
    EXPECT_TRUE(album.hasBothKeys());
    // The catalogue is in date order: the two earliest pictures are the album's.
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{1, 1, 0}));
    EXPECT_EQ(control(kAlbumsList).items, std::vector<std::string>{"1. Early"});
    EXPECT_THAT(control(kAlbumSummary).text,
                ::testing::StartsWith("1 album created. Pictures in albums 2 of 3. Still to add 1. Size "));
    EXPECT_TRUE(control(kMenuSaveSession).enabled);
    EXPECT_TRUE(state.editing.film.empty());
    EXPECT_TRUE(state.filmBuilt);
    EXPECT_EQ(state.filmImages.size(), 3);
}

TEST_F(MainWindowEditAlbum, SavedAlbumIsSelectedWithItsKeptRangeAndANewTargetRedrawsIt) {
    scriptRange(0, 0, "First");
    window->onCommand(kMenuStartPositive);
    // A manual range whose end is typed years after the last picture.
    host.onModal("CViewPhoto", [this](Window& w) {
        host.onModal("CManualTime", [](Window& m) {
            m.control(CManualTime::kEndDate).text = "2030-01-01";
            m.onCommand(CManualTime::kOk);
        });
        w.onCommand(W::kMenuManualRange);
        w.control(W::kName).text = "Rest";
        w.onTextChanged(W::kName);
        w.onCommand(W::kSave);
    });
    window->onCommand(kMenuStartPositive);
    ASSERT_EQ(state.albums.size(), 2u);
    EXPECT_EQ(control(kAlbumsList).selection, 1);
    const auto& details = control(kAlbumDetails).items;
    ASSERT_GT(details.size(), 6u);
    EXPECT_EQ(details[0], "Name: Rest");
    // The range kept ends at the last picture, and the details say so.
    const std::int64_t last = pictureShownTime(state.dirReader->catalogue().back(), state.dirReader->biasMinutes());
    EXPECT_EQ(details[4], "End date: " + dateText(last, state.settings.dateFormatIndex) + "/" +
                              timeText(last, state.settings.timeFormatIndex));
    const auto rootLine = [this] {
        const auto& items = control(kAlbumDetails).items;
        const auto found = std::find_if(items.begin(), items.end(),
                                        [](const std::string& line) { return line.rfind("Album root: ", 0) == 0; });
        return found == items.end() ? std::string() : *found;
    };
    EXPECT_EQ(rootLine(), "Album root: " + std::string(kNotSelected));

    test::TempDir target;
    host.browseTo(target.str());
    window->onCommand(kMenuSelectTarget);
    EXPECT_EQ(rootLine(), "Album root: " + target.str());
}

TEST_F(MainWindowEditAlbum, DiscardedNewAlbumLeavesNothing) {
    host.onModal("CViewPhoto", [](Window& w) { w.onCommand(W::kDiscard); });
    window->onCommand(kMenuStartPositive);
    EXPECT_TRUE(state.albums.empty());
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_TRUE(state.editing.film.empty());
}

TEST_F(MainWindowEditAlbum, EscapeIsADiscard) {
    host.onModal("CViewPhoto", [](Window& w) { w.onCancel(); });
    window->onCommand(kAlbumPicture);
    EXPECT_TRUE(state.albums.empty());
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{0, 0, 0}));
}

TEST_F(MainWindowEditAlbum, SecondAlbumTakesTheRestThenNoneIsLeft) {
    scriptRange(0, 0, "First");
    window->onCommand(kMenuStartPositive);
    scriptRange(0, 1, "Rest");
    window->onCommand(kMenuStartPositive);
    ASSERT_EQ(state.albums.size(), 2u);
    EXPECT_EQ(state.albums[1].id, 2);
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{1, 2, 2}));
    EXPECT_THAT(control(kAlbumSummary).text,
                ::testing::StartsWith("2 albums created. Pictures in albums 3 of 3. All pictures are in albums. Size "));

    window->onCommand(kMenuStartPositive);
    EXPECT_EQ(host.messages.back().text,
              "Picture List is empty. All pictures are in albums. Double click on any album's name from Album List "
              "to view album's pictures");
    EXPECT_EQ(state.albums.size(), 2u);
}

TEST_F(MainWindowEditAlbum, EditingKeepsOrRestoresTheAlbum) {
    scriptRange(0, 2, "All three");
    window->onCommand(kMenuStartPositive);
    ASSERT_EQ(albumIds(), (std::vector<std::int32_t>{1, 1, 1}));
    const std::uint64_t start = state.albums[0].startKey;
    const std::uint64_t end = state.albums[0].endKey;

    // Edit: narrow to the first picture, then discard: nothing changes.
    window->control(kAlbumsList).selection = 0;
    window->onSelectionChanged(kAlbumsList);
    host.onModal("CViewPhoto", [](Window& w) {
        w.control(W::kFilm).selection = 0;
        w.onSelectionChanged(W::kFilm);
        w.onCommand(W::kSetEnd);
        w.onCommand(W::kDiscard);
    });
    window->onDoubleClick(kAlbumsList);
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ(state.albums[0].startKey, start);
    EXPECT_EQ(state.albums[0].endKey, end);
    EXPECT_EQ(state.editing.editingAlbum, 0);

    // The same edit saved frees the two later pictures.
    window->control(kAlbumsList).selection = 0;
    host.onModal("CViewPhoto", [](Window& w) {
        w.control(W::kFilm).selection = 0;
        w.onSelectionChanged(W::kFilm);
        w.onCommand(W::kSetEnd);
        w.onCommand(W::kSave);
    });
    window->onCommand(kMenuEditSelected);
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{1, 0, 0}));
    EXPECT_EQ(state.albums[0].pictureCount, 1);
    EXPECT_EQ(state.albums[0].startKey, start);
    EXPECT_EQ(state.albums[0].endKey, start);
    EXPECT_EQ(state.editing.editingAlbum, 0);
    EXPECT_EQ(state.editing.editedAlbumId, 0);
}

TEST_F(MainWindowEditAlbum, ClockChangeAfterTheScanKeepsTheAlbumAsSaved) {
    // Scanned and saved in winter time...
    test::ZoneScope winter("CET-1");
    host.browseTo(source.str());
    window->onCommand(kMenuSelectSource);
    scriptRange(0, 2, "All three");
    window->onCommand(kMenuStartPositive);
    ASSERT_EQ(albumIds(), (std::vector<std::int32_t>{1, 1, 1}));
    const std::uint64_t start = state.albums[0].startKey;
    const std::uint64_t end = state.albums[0].endKey;

    // ...then opened and saved unchanged once summer time has begun.
    test::ZoneScope summer("CEST-2");
    window->control(kAlbumsList).selection = 0;
    host.onModal("CViewPhoto", [](Window& w) { w.onCommand(W::kSave); });
    window->onCommand(kMenuEditSelected);
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ(state.albums[0].pictureCount, 3);
    EXPECT_EQ(state.albums[0].startKey, start);
    EXPECT_EQ(state.albums[0].endKey, end);
}

TEST_F(MainWindowEditAlbum, NegativeStartCountsNothingUntilFlipped) {
    host.onModal("CViewPhoto", [](Window& w) {
        w.control(W::kFilm).selection = 1;
        w.onDoubleClick(W::kFilm);
        w.control(W::kName).text = "Flipped";
        w.onCommand(W::kSave);
    });
    window->onCommand(kMenuStartNegative);
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(state.albums[0].pictureCount, 1);
    EXPECT_EQ(albumIds(), (std::vector<std::int32_t>{0, 1, 0}));
}

TEST_F(MainWindowEditAlbum, AboutFromTheEditAlbumMenu) {
    host.onModal("CViewPhoto", [](Window& w) {
        EXPECT_TRUE(w.control(W::kMenuManualRange).enabled);
        EXPECT_TRUE(w.control(W::kMenuAdvancedFilter).enabled);
        w.onCommand(W::kMenuAbout);
        w.onCommand(W::kDiscard);
    });
    window->onCommand(kMenuStartPositive);
    EXPECT_EQ(host.modalRuns, (std::vector<std::string>{"CViewPhoto", "CAboutDlg"}));
}

}  // namespace
}  // namespace dz
