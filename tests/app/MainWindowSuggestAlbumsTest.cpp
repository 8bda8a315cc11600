#include "MainWindowFixture.h"
#include "MediaFiles.h"

#include "app/CSuggestAlbumsDlg.h"
#include "process/CProcess.h"

#include <algorithm>
#include <filesystem>

namespace dz {
namespace {

using namespace mainwin;
using test::MainWindowFixture;
using W = CSuggestAlbumsDlg;

std::string field(const std::string& row, std::size_t column) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < column; ++i) {
        start = row.find('\t', start);
        if (start == std::string::npos) {
            return {};
        }
        ++start;
    }
    return row.substr(start, row.find('\t', start) - start);
}

std::size_t columnOf(const std::string& name) {
    const auto& names = W::proposalColumns();
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// One column of every proposal, top to bottom.
std::vector<std::string> column(const Window& w, const std::string& name) {
    std::vector<std::string> texts;
    for (const std::string& row : w.control(W::kProposals).items) {
        texts.push_back(field(row, columnOf(name)));
    }
    return texts;
}

using Texts = std::vector<std::string>;

// Two outings three days apart, the first with a long lunch: real pictures
// re-dated, scanned by the main window as the user's folder is.
class MainWindowSuggestAlbums : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        start();
        const auto shot = [&](const std::string& name, const std::string& time) {
            const std::string path = source.write(name, test::readTestData("canon-40d.jpg")).string();
            ASSERT_TRUE(test::runExiftool("-DateTimeOriginal='" + time + "'", path));
        };
        shot("a1.jpg", "2024:07:05 09:00:00");
        shot("a2.jpg", "2024:07:05 10:00:00");
        shot("a3.jpg", "2024:07:05 15:30:00");
        shot("b1.jpg", "2024:07:08 14:00:00");
        shot("b2.jpg", "2024:07:08 15:00:00");
        host.browseTo(source.str());
        window->onCommand(kSelectSourceButton);
        ASSERT_EQ(catalogue().size(), 5u);
    }

    std::vector<PictureRecord>& catalogue() { return state.dirReader->catalogue(); }
    std::int32_t albumOf(const std::string& name) {
        return std::find_if(catalogue().begin(), catalogue().end(), [&](const PictureRecord& p) {
                   return std::filesystem::path(p.path).filename() == name;
               })->albumId;
    }
    void suggestWindow(std::function<void(Window&)> script) {
        host.onModal("CSuggestAlbumsDlg", std::move(script));
        window->onCommand(kMenuSuggestAlbums);
    }
    static void slideTo(Window& w, int hours) {
        w.control(W::kGap).position = hours;
        w.onSelectionChanged(W::kGap);
    }
    static void select(Window& w, int list, int row) {
        w.control(list).selection = row;
        w.onSelectionChanged(list);
    }
};

TEST_F(MainWindowSuggestAlbums, EventsFollowTheGapLiveAndAreProposedOnceItSettles) {
    EXPECT_TRUE(control(kMenuSuggestAlbums).enabled);
    suggestWindow([&](Window& w) {
        EXPECT_EQ(w.title(), "Suggest Albums");
        EXPECT_TRUE(w.control(W::kOnlyFree).checked);
        EXPECT_EQ(w.control(W::kGap).position, 12);
        EXPECT_EQ(w.control(W::kCount).text, "2 albums");
        EXPECT_EQ(column(w, "Pictures"), (Texts{"3", "2"}));
        // The times as the film shows them, on the catalogue's own bias.
        EXPECT_EQ(column(w, "First shot"), (Texts{"[2024-07-05] [09 00 00]", "[2024-07-08] [14 00 00]"}));
        EXPECT_EQ(column(w, "Last shot"), (Texts{"[2024-07-05] [15 30 00]", "[2024-07-08] [15 00 00]"}));
        EXPECT_EQ(column(w, "Name"), (Texts{"2024-07-05", "2024-07-08"}));

        // Counted while the slider moves, the list left until it settles.
        slideTo(w, 5);
        EXPECT_EQ(w.control(W::kCount).text, "3 albums");
        EXPECT_EQ(w.control(W::kGapValue).text, "5");
        EXPECT_EQ(w.control(W::kProposals).items.size(), 2u);
        slideTo(w, 72);
        EXPECT_EQ(w.control(W::kCount).text, "1 album");
        slideTo(w, 5);
        w.onCommand(W::kGap);
        EXPECT_EQ(column(w, "Pictures"), (Texts{"2", "1", "2"}));
        EXPECT_EQ(w.control(W::kCount).text, "3 albums");

        // Days know no gap.
        select(w, W::kMode, 1);
        EXPECT_FALSE(w.control(W::kGap).enabled);
        EXPECT_EQ(column(w, "Pictures"), (Texts{"3", "2"}));
        w.onCommand(W::kCancel);
    });
}

TEST_F(MainWindowSuggestAlbums, SplitAndMergeShapeWhatAcceptAddsAsAlbums) {
    suggestWindow([&](Window& w) {
        select(w, W::kProposals, 0);
        EXPECT_FALSE(w.control(W::kSplit).enabled) << "nothing to split before its first picture";
        ASSERT_EQ(w.control(W::kShots).items.size(), 3u);
        select(w, W::kShots, 2);
        w.onCommand(W::kSplit);
        EXPECT_EQ(column(w, "Pictures"), (Texts{"2", "1", "2"}));
        // Two albums of one day would share a folder.
        EXPECT_EQ(column(w, "Name"), (Texts{"2024-07-05", "2024-07-05 (2)", "2024-07-08"}));
        EXPECT_EQ(w.control(W::kProposals).selection, 1) << "the second part is selected";
        EXPECT_EQ(w.control(W::kCount).text, "3 albums");
        w.onCommand(W::kGap);
        EXPECT_EQ(w.control(W::kProposals).items.size(), 3u) << "the slider let go unmoved proposes again";

        select(w, W::kProposals, 1);
        w.onCommand(W::kMerge);
        EXPECT_EQ(column(w, "Pictures"), (Texts{"2", "3"}));
        EXPECT_EQ(column(w, "First shot")[1], "[2024-07-05] [15 30 00]");
        select(w, W::kProposals, 1);
        EXPECT_FALSE(w.control(W::kMerge).enabled) << "the last has no next";

        w.control(W::kDirName).text = "Trips";
        w.control(W::kYearFolders).checked = true;
        w.onCommand(W::kAccept);
    });
    ASSERT_EQ(state.albums.size(), 2u);
    const Album& first = state.albums[0];
    const Album& second = state.albums[1];
    EXPECT_EQ(first.name, "2024-07-05");
    EXPECT_EQ(second.name, "2024-07-05 (2)");
    EXPECT_EQ(first.pictureCount, 2);
    EXPECT_EQ(second.pictureCount, 3);
    EXPECT_EQ(first.naming, AlbumNaming::Sortable);
    EXPECT_EQ(first.dirName, "Trips\\2024");
    EXPECT_NE(first.id, second.id);
    EXPECT_EQ(albumOf("a1.jpg"), first.id);
    EXPECT_EQ(albumOf("a2.jpg"), first.id);
    for (const char* name : {"a3.jpg", "b1.jpg", "b2.jpg"}) {
        EXPECT_EQ(albumOf(name), second.id) << name;
    }
    // In the list as an album saved by hand, the first new one selected, and the session can be saved.
    ASSERT_EQ(control(kAlbumsList).items.size(), 2u);
    EXPECT_EQ(control(kAlbumsList).selection, 0);
    EXPECT_TRUE(control(kMenuSaveSession).enabled);
    EXPECT_NE(control(kAlbumSummary).text.find("All pictures are in albums"), std::string::npos)
        << control(kAlbumSummary).text;
    const auto& details = control(kAlbumDetails).items;
    EXPECT_NE(std::find(details.begin(), details.end(), "In album: 2 pictures"), details.end());

    // The pictures are taken: only the free ones are proposed again, none.
    suggestWindow([&](Window& w) {
        EXPECT_EQ(w.control(W::kCount).text, "0 albums");
        EXPECT_FALSE(w.control(W::kAccept).enabled);
        w.control(W::kOnlyFree).checked = false;
        w.onCommand(W::kOnlyFree);
        EXPECT_EQ(column(w, "Pictures"), (Texts{"3", "2"}));
        w.onCommand(W::kCancel);
    });
    EXPECT_EQ(state.albums.size(), 2u);
}

TEST_F(MainWindowSuggestAlbums, CancelLeavesAlbumsAndPicturesAsTheyWere) {
    suggestWindow([&](Window& w) {
        select(w, W::kProposals, 0);
        select(w, W::kShots, 1);
        w.onCommand(W::kSplit);
        ASSERT_EQ(w.control(W::kProposals).items.size(), 3u);
        w.onCommand(W::kCancel);
    });
    EXPECT_TRUE(state.albums.empty());
    EXPECT_TRUE(control(kAlbumsList).items.empty());
    EXPECT_TRUE(std::all_of(catalogue().begin(), catalogue().end(), [](const PictureRecord& p) { return p.albumId == 0; }));
}

// Once the outings are sorted into the target, a new scan proposes only
// the picture taken since, when processing leaves out what the target holds.
TEST_F(MainWindowSuggestAlbums, PicturesTheTargetHoldsAreLeftOutWhenProcessingLeavesThemOut) {
    suggestWindow([](Window& w) { w.onCommand(W::kAccept); });
    const std::string target = startFolder.makeDir("sorted").string();
    host.browseTo(target);
    window->onCommand(kSelectTargetButton);
    host.onModal("CProcess", [](Window& w) {
        w.onCommand(CProcess::kProcess);
        w.onCommand(CProcess::kCloseWindow);
    });
    window->onCommand(kProcess);
    ASSERT_EQ(state.albums.size(), 2u);
    ASSERT_EQ(state.albums[1].isProcessed, 1);

    const std::string later = source.write("c1.jpg", test::readTestData("canon-40d.jpg")).string();
    ASSERT_TRUE(test::runExiftool("-DateTimeOriginal='2024:07:12 10:00:00'", later));
    host.browseTo(source.str());
    window->onCommand(kSelectSourceButton);  // "Albums will be lost!" answered OK
    ASSERT_EQ(catalogue().size(), 6u);
    host.browseTo(target);
    window->onCommand(kSelectTargetButton);
    for (const bool leaveOut : {false, true}) {
        state.leaveOutSorted = leaveOut;
        std::size_t proposals = 0;
        std::string leftOut;
        suggestWindow([&](Window& w) {
            proposals = w.control(W::kProposals).items.size();
            leftOut = w.control(W::kLeftOut).text;
            w.onCommand(W::kCancel);
        });
        EXPECT_EQ(proposals, leaveOut ? 1u : 3u) << leaveOut;
        EXPECT_EQ(leftOut, leaveOut ? "5 pictures are already in the target" : "") << leaveOut;
    }
}

}  // namespace
}  // namespace dz
