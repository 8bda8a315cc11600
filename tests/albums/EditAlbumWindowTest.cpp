#include "albums/CViewPhoto.h"
#include "albums/CViewOptions.h"

#include "FilmFixture.h"

namespace dz::test {
namespace {

using W = CViewPhoto;

// Three real pictures; in date order fuji (2006), canon (May 2008), nikon (October 2008).
class EditAlbumTest : public FilmTest {
protected:
    void SetUp() override {
        put("b-nikon.jpg", kNikon);
        put("a-canon.jpg", kCanon);
        put("c-fuji.jpg", "fujifilm-e500-big-endian.jpg");
        scan();
    }

    // Opens the window as the host does and paints it once; `finish`: its
    // thumbnails are all made before the user acts.
    CViewPhoto& open(bool finish = true) {
        window = std::make_unique<CViewPhoto>(ws);
        window->onInit();
        if (!window->hasEnded()) {
            window->onShown();
        }
        if (finish) {
            EXPECT_TRUE(ScriptedHost::finishWork(*window));
        }
        return *window;
    }

    void select(int item) {
        window->control(W::kFilm).selection = item;
        window->onSelectionChanged(W::kFilm);
    }

    std::string lastMessage() const { return host.messages.empty() ? "" : host.messages.back().text; }

    std::unique_ptr<CViewPhoto> window;
};

TEST_F(EditAlbumTest, NewAlbumSpansTheFilmWithBothClearsDisabled) {
    Album& album = newAlbum();
    CViewPhoto& w = open();
    EXPECT_EQ(w.title(), "Edit Album");
    EXPECT_EQ(album.startKey, pictureShotKey(record("c-fuji.jpg"), ws.biasMinutes));
    EXPECT_EQ(album.endKey, pictureShotKey(record("b-nikon.jpg"), ws.biasMinutes));
    EXPECT_EQ(w.control(W::kStartText).text, "[2006-08-17] [09 24 48]");
    EXPECT_EQ(w.control(W::kEndText).text, "[2008-10-22] [16 28 39]");
    EXPECT_FALSE(w.control(W::kClearStart).enabled);
    EXPECT_FALSE(w.control(W::kClearEnd).enabled);
    EXPECT_EQ(w.control(W::kName).text, "Album 1");
    EXPECT_EQ(w.control(W::kDirName).text, "\\");
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 3 pictures in album.");
    EXPECT_EQ(w.control(W::kSortLine).text, "Sorted ascendent by date. Show 3 pic.");
    EXPECT_EQ(w.control(W::kTopLine).text,
              "1 Album containing: 3 pictures. Remaining to add: None from a total of 3 pictures.");
    EXPECT_EQ(w.control(W::kSize).text.substr(w.control(W::kSize).text.size() - 2), "MB");
    EXPECT_TRUE(w.control(W::kSave).enabled);
    EXPECT_EQ(w.control(W::kFilm).itemLabels().size(), 3u);
}

TEST_F(EditAlbumTest, FilmIsThereAtOnceAndTheWindowAnswersWhileThumbnailsAreMade) {
    Album& album = newAlbum();
    CViewPhoto& w = open(false);
    EXPECT_EQ(w.control(W::kFilm).itemLabels().size(), 3u);
    EXPECT_TRUE(w.control(W::kSave).enabled);
    w.control(W::kFilm).selection = 0;
    w.onCommand(W::kSetEnd);
    EXPECT_EQ(album.endKey, pictureShotKey(record("c-fuji.jpg"), ws.biasMinutes));
    ASSERT_TRUE(ScriptedHost::finishWork(w));
    EXPECT_TRUE(images.complete());
    EXPECT_EQ(w.control(W::kTopLine).text,
              "1 Album containing: 1 picture. Remaining to add: 2 pictures from a total of 3 pictures.");
}

// Enough pictures that the workers are still busy when the user acts.
class BusyFilmTest : public EditAlbumTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 60; ++i) {
            put("p" + std::to_string(100 + i) + ".jpg", "fujifilm-e500-big-endian.jpg");
        }
        scan();
    }
};

TEST_F(BusyFilmTest, DiscardStopsTheWorkAndTheNextWindowGoesOn) {
    record("p100.jpg").albumId = 0;
    newAlbum();
    CViewPhoto& w = open(false);
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 60u);
    w.onIdle();  // the workers start
    w.onCommand(W::kDiscard);
    EXPECT_TRUE(w.hasEnded());
    EXPECT_EQ(w.result(), W::kResultDiscard);
    EXPECT_TRUE(abortRequest);
    const int missing = images.missing();
    EXPECT_GT(missing, 0);
    EXPECT_FALSE(w.onIdle());
    window.reset();  // waits for the thumbnails still running, drops their results
    EXPECT_EQ(images.missing(), missing);
    // The next window makes only what is missing.
    newAlbum();
    open();
    EXPECT_TRUE(images.complete());
}

TEST_F(BusyFilmTest, WindowClosedWhileTheWorkersRun) {
    newAlbum();
    open(false);
    window->control(W::kFilm).firstShown = 50;
    window->control(W::kFilm).lastShown = 59;
    window->onItemsShown(W::kFilm);
    window->onIdle();
    window.reset();
    EXPECT_GT(images.missing(), 0);
}

TEST_F(EditAlbumTest, DescendingDateOpensWithStartAfterEnd) {
    view.sortAscending = 0;
    newAlbum();
    CViewPhoto& w = open();
    EXPECT_EQ(w.control(W::kStartText).text, "[2008-10-22] [16 28 39]");
    EXPECT_EQ(w.control(W::kEndText).text, "[2006-08-17] [09 24 48]");
    EXPECT_EQ(w.control(W::kStatus).text, "New Album:Pictures in album: None.");
}

TEST_F(EditAlbumTest, RangeOrderIsChecked) {
    newAlbum();
    CViewPhoto& w = open();
    // Start from the last picture with the end on it: equal keys are accepted.
    select(2);
    w.onCommand(W::kSetStart);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 1 picture in album.");
    EXPECT_TRUE(w.control(W::kClearStart).enabled);
    // The film now holds only the nikon; clear the start to see every picture again.
    w.onCommand(W::kClearStart);
    EXPECT_EQ(w.control(W::kStartText).text, "Not Set");
    EXPECT_FALSE(w.control(W::kClearStart).enabled);
    EXPECT_EQ(w.control(W::kStatus).text, "New Album:Start date not set");
    select(0);
    w.onCommand(W::kSetStart);
    select(0);
    w.onCommand(W::kSetEnd);
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 1 picture in album.");
    w.onCommand(W::kClearEnd);
    select(2);
    w.onCommand(W::kSetEnd);
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 3u);
    select(2);
    w.onCommand(W::kSetStart);
    // With the end open the film shows every picture again.
    w.onCommand(W::kClearEnd);
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 3u);
    select(0);
    w.onCommand(W::kSetEnd);
    EXPECT_EQ(lastMessage(), "End Date could not be earlier than start date.");
    EXPECT_EQ(host.messages.back().caption, "Dezoredu");
    EXPECT_EQ(host.messages.back().icon, Icon::Exclamation);
    EXPECT_EQ(albums.back().endKey, 0u);
    EXPECT_EQ(w.control(W::kEndText).text, "Not Set");
    // The other way round: an end, then a later start.
    w.onCommand(W::kClearStart);
    select(1);
    w.onCommand(W::kSetEnd);
    select(2);
    w.onCommand(W::kSetStart);
    EXPECT_EQ(lastMessage(), "Start Date could not be later than end date.");
}

struct SaveCase {
    const char* name;
    std::string albumName;
    bool clearStart;
    bool clearEnd;
    bool allNegative;
    std::vector<Answer> answers;
    std::vector<std::string> messages;
    bool saved;
};

class SaveTest : public EditAlbumTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTest, ChecksInOrder) {
    const SaveCase& c = GetParam();
    if (c.allNegative) {
        editing.newAlbumStartsNegative = 1;
    }
    newAlbum();
    CViewPhoto& w = open();
    if (c.clearStart) {
        w.onCommand(W::kClearStart);
    }
    if (c.clearEnd) {
        w.onCommand(W::kClearEnd);
    }
    w.control(W::kName).text = c.albumName;
    w.control(W::kDirName).text = "2006\\Trip";
    w.control(W::kAddCameraModel).checked = true;
    for (Answer a : c.answers) {
        host.answer(a);
    }
    w.onCommand(W::kSave);
    EXPECT_EQ(host.messageTexts(), c.messages);
    EXPECT_EQ(w.hasEnded(), c.saved);
    if (c.saved) {
        EXPECT_EQ(w.result(), W::kResultSave);
        EXPECT_EQ(albums.back().dirName, "2006\\Trip");
        EXPECT_EQ(albums.back().name, c.albumName);
        EXPECT_EQ(albums.back().addCameraModel, 1);
    }
}

const char* kNameQuestion = "Pictures base name not set. Use default name?";
INSTANTIATE_TEST_SUITE_P(
    EditAlbum, SaveTest,
    ::testing::Values(
        SaveCase{"Saves", "Trip", false, false, false, {}, {}, true},
        SaveCase{"EmptyNameNoStays", "", false, false, false, {Answer::No}, {kNameQuestion}, false},
        SaveCase{"EmptyNameYesSkipsChecks", "", true, true, true, {Answer::Yes}, {kNameQuestion}, true},
        SaveCase{"AllNegative", "Trip", false, false, true, {},
                 {"Album empty. Album will not be saved. Select 'Discard' to exit"}, false},
        SaveCase{"NoEnds", "Trip", true, true, false, {},
                 {"Start or end date not set. Album will not be saved. Select 'Discard' to exit"}, false},
        SaveCase{"NoStart", "Trip", true, false, false, {},
                 {"Start date not set. Album will not be saved. Select 'Discard' to exit"}, false},
        SaveCase{"NoEnd", "Trip", false, true, false, {},
                 {"End date not set. Album will not be saved. Select 'Discard' to exit"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditAlbumTest, SaveQuestionHasItsCaptionAndButtons) {
    newAlbum();
    CViewPhoto& w = open();
    w.control(W::kName).text.clear();
    host.answer(Answer::No);
    w.onCommand(W::kSave);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Picture Name");
    EXPECT_EQ(host.messages[0].icon, Icon::Question);
    EXPECT_EQ(host.messages[0].buttons, Buttons::YesNo);
}

TEST_F(EditAlbumTest, DiscardPutsBackTheRangeAndAssignments) {
    Album& first = newAlbum();
    first.setStart(pictureShotKey(record("c-fuji.jpg"), ws.biasMinutes));
    first.setEnd(pictureShotKey(record("a-canon.jpg"), ws.biasMinutes));
    record("c-fuji.jpg").albumId = 1;
    record("a-canon.jpg").albumId = 1;
    editing.editingAlbum = 1;
    editing.editedAlbumId = 1;
    const std::uint64_t start = first.startKey;
    const std::uint64_t end = first.endKey;
    CViewPhoto& w = open();
    EXPECT_EQ(w.control(W::kStatus).text, "Album Album 1: 2 pictures in album.");
    EXPECT_EQ(w.control(W::kTopLine).text,
              "1 Album containing: 2 pictures. Remaining to add: 1 picture from a total of 3 pictures.");
    w.onCommand(W::kClearEnd);  // the free nikon joins the album
    EXPECT_EQ(record("b-nikon.jpg").albumId, 1);
    EXPECT_EQ(first.endKey, 0u);
    w.onCancel();  // Esc is Discard
    EXPECT_EQ(w.result(), W::kResultDiscard);
    EXPECT_EQ(first.startKey, start);
    EXPECT_EQ(first.endKey, end);
    EXPECT_EQ(first.endTime, end);
    EXPECT_EQ(record("b-nikon.jpg").albumId, 0);
    EXPECT_EQ(record("c-fuji.jpg").albumId, 1);
}

TEST_F(EditAlbumTest, FlipChangesCountsBothWays) {
    Album& album = newAlbum();
    CViewPhoto& w = open();
    const float full = album.sizeMB;
    select(1);
    w.onDoubleClick(W::kFilm);
    EXPECT_TRUE(editing.filmSideChanged);
    EXPECT_EQ(editing.film[1].isNegative, 1);
    EXPECT_EQ(album.pictureCount, 2);
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 2 pictures in album.");
    EXPECT_LT(album.sizeMB, full);
    w.onDoubleClick(W::kFilm);
    EXPECT_EQ(editing.film[1].isNegative, 0);
    EXPECT_EQ(album.pictureCount, 3);
    EXPECT_FLOAT_EQ(album.sizeMB, full);
}

TEST_F(EditAlbumTest, FlippedPortraitIsStretched) {
    newAlbum();
    CViewPhoto& w = open();
    select(0);  // the 59 x 100 fuji, with black bars on the film
    const CRaster before = images.image(editing.film[0].block->imageListIndex);
    EXPECT_EQ(before.topDownRow(60)[0], 0);
    w.onDoubleClick(W::kFilm);
    const CRaster after = images.image(editing.film[0].block->imageListIndex);
    // Inverted and stretched: the left edge is picture, not inverted black.
    const std::uint8_t* p = after.topDownRow(60);
    EXPECT_FALSE(p[0] >= 250 && p[1] >= 250 && p[2] >= 250);
}

TEST_F(EditAlbumTest, LabelEditRules) {
    newAlbum();
    CViewPhoto& w = open();
    select(2);
    const std::string original = w.control(W::kFilm).itemLabels()[2];
    ASSERT_TRUE(w.onLabelEditBegin(W::kFilm));
    w.onLabelEditEnd(W::kFilm, original);
    EXPECT_FALSE(editing.film[2].block->hasCustomName);
    ASSERT_TRUE(w.onLabelEditBegin(W::kFilm));
    w.onLabelEditEnd(W::kFilm, std::string(130, 'x'));
    EXPECT_EQ(editing.film[2].block->customName, std::string(127, 'x'));
    EXPECT_EQ(w.control(W::kFilm).itemLabels()[2].substr(0, 130), "3." + std::string(127, 'x') + ".");
    w.onLabelEditBegin(W::kFilm);
    w.onLabelEditEnd(W::kFilm, "Beach");
    // A rebuild keeps the typed label.
    w.onCommand(W::kClearEnd);
    EXPECT_EQ(w.control(W::kFilm).itemLabels()[2], "3.Beach.[2008-10-22] [16 28 39]\nNIKON/COOLPIX P6000");
    select(2);
    w.onLabelEditBegin(W::kFilm);
    w.onLabelEditEnd(W::kFilm, "");
    EXPECT_FALSE(record("b-nikon.jpg").block->hasCustomName);
    EXPECT_EQ(w.control(W::kFilm).itemLabels()[2], original);
}

TEST_F(EditAlbumTest, ClickShowsPathAndInformation) {
    newAlbum();
    CViewPhoto& w = open();
    EXPECT_EQ(w.control(W::kPath).text, "Picture not selected");
    w.control(W::kFilm).selection = 2;
    w.onClick(W::kFilm);
    EXPECT_EQ(w.control(W::kPath).text, record("b-nikon.jpg").path);
    EXPECT_FALSE(w.control(W::kPictureInfo).items.empty());
    select(-1);
    EXPECT_EQ(w.control(W::kPath).text, "Picture not selected");
}

TEST_F(EditAlbumTest, CheckBoxesAndNameBox) {
    Album& album = newAlbum();
    CViewPhoto& w = open();
    w.control(W::kCreateSubDir).checked = false;
    w.onCommand(W::kCreateSubDir);
    EXPECT_EQ(album.createSubDir, 0);
    EXPECT_TRUE(w.control(W::kName).enabled);
    w.control(W::kKeepName).checked = true;
    w.onCommand(W::kKeepName);
    EXPECT_FALSE(w.control(W::kName).enabled);
    w.control(W::kName).text.clear();
    w.onTextChanged(W::kName);
    EXPECT_FALSE(w.control(W::kCreateSubDir).enabled);
    EXPECT_FALSE(w.control(W::kName).enabled);
    w.control(W::kSplitByDays).checked = true;
    w.onCommand(W::kSplitByDays);
    EXPECT_EQ(album.splitByDays, 1);
}

TEST_F(EditAlbumTest, ViewOptionsSortByNameDescendingRebuilds) {
    newAlbum();
    CViewPhoto& w = open();
    host.onModal("CViewOptions", [](Window& options) {
        options.control(CViewOptions::kOrder).selection = 1;
        options.onSelectionChanged(CViewOptions::kOrder);
        options.onCommand(CViewOptions::kByName);
        options.onCommand(CViewOptions::kAccept);
    });
    w.onCommand(W::kMenuViewOptions);
    EXPECT_EQ(view.sortByDate, 0);
    EXPECT_EQ(view.sortAscending, 0);
    EXPECT_EQ(w.control(W::kSortLine).text.substr(0, 24), "Sorted descendent by nam");
    const auto& items = w.control(W::kFilm).itemLabels();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0].substr(0, 10), "1.c-fuji.[");
}

TEST_F(EditAlbumTest, ViewOptionsDiscardKeepsTheFilm) {
    newAlbum();
    CViewPhoto& w = open();
    const auto items = w.control(W::kFilm).itemLabels();
    host.onModal("CViewOptions", [](Window& options) {
        EXPECT_EQ(options.title(), "Set view options");
        EXPECT_EQ(options.control(CViewOptions::kOrder).items,
                  (std::vector<std::string>{"Ascendent", "Descendent"}));
        EXPECT_TRUE(options.control(CViewOptions::kByDate).checked);
        options.onCommand(CViewOptions::kByName);
        options.onCommand(CViewOptions::kDiscard);
    });
    w.onCommand(W::kMenuViewOptions);
    EXPECT_EQ(view.sortByDate, 0);
    EXPECT_EQ(w.control(W::kFilm).itemLabels(), items);
    // The sort line tells the order the film is in; the next build takes the new one up.
    EXPECT_EQ(w.control(W::kSortLine).text, "Sorted ascendent by date. Show 3 pic.");
    w.onCommand(W::kClearStart);
    EXPECT_EQ(w.control(W::kSortLine).text, "Sorted ascendent by name. Show 3 pic.");
}

TEST_F(EditAlbumTest, LargeViewerKeepsNeighboursDecoded) {
    newAlbum();
    CViewPhoto& w = open();
    w.control(W::kFilm).selection = 1;
    w.onRightClick(W::kFilm);
    CViewLarge* large = w.largeViewer();
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->title(), "View Large Image");
    EXPECT_EQ(large->control(CViewLarge::kPath).text, record("a-canon.jpg").path);
    EXPECT_EQ(large->control(CViewLarge::kFrame).pictureWidth, 640);
    EXPECT_EQ(large->control(CViewLarge::kFrame).picture.size(), 640u * 480u * 3u);
    EXPECT_EQ(large->cachedPrevious(), 0);
    EXPECT_EQ(large->cachedNext(), 2);
    select(2);
    EXPECT_EQ(large->shownIndex(), 2);
    EXPECT_EQ(large->cachedPrevious(), 1);
    EXPECT_EQ(large->cachedNext(), -1);
    EXPECT_EQ(w.control(W::kPath).text, record("b-nikon.jpg").path);
    large->onCommand(CViewLarge::kClose);
    EXPECT_EQ(w.largeViewer(), nullptr);
}

TEST_F(EditAlbumTest, HelpTopics) {
    newAlbum();
    CViewPhoto& w = open();
    w.onHelp();
    CViewOptions options(host, view);
    options.onHelp();
    ASSERT_EQ(host.helpRequests.size(), 2u);
    EXPECT_EQ(host.helpRequests[0].topic, 7);
    EXPECT_EQ(host.helpRequests[0].file, "DEZOREDU.HLP");
    EXPECT_EQ(host.helpRequests[1].topic, 15);
    EXPECT_EQ(CViewLarge(host, nullptr).helpTopic(), 19);
}

}  // namespace
}  // namespace dz::test

namespace dz::test {
namespace {

class BrokenPictureWindowTest : public FilmTest {};

TEST_F(BrokenPictureWindowTest, DiskErrorCancelClosesTheDiscardWay) {
    put("b-nikon.jpg", kNikon);
    putBytes("a-broken.jpg", tinyExifJpeg("2001:01:01 10:00:00"));
    scan();
    newAlbum();
    record("b-nikon.jpg").albumId = 0;
    host.answer(Answer::Cancel);
    CViewPhoto w(ws);
    w.onInit();
    w.onShown();
    EXPECT_TRUE(host.messages.empty()) << "asked when the picture's thumbnail is made";
    ASSERT_TRUE(ScriptedHost::finishWork(w));
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"Error while reading from disk"});
    EXPECT_TRUE(w.hasEnded());
    EXPECT_EQ(w.result(), CViewPhoto::kResultDiscard);
    EXPECT_TRUE(abortRequest);
}

}  // namespace
}  // namespace dz::test
