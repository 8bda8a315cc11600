#include "MainWindowFixture.h"

#include "TinyJpeg.h"

namespace dz {
namespace {

using namespace mainwin;
using test::tinyExifJpeg;

// A scanned source of four pictures and albums put straight into the list.
class MainWindowAlbumList : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        for (int i = 0; i < 4; ++i) {
            source.write("p" + std::to_string(i) + ".jpg", tinyExifJpeg("2006:05:1" + std::to_string(i) + " 10:00:00"));
        }
        start();
        host.browseTo(source.str());
        window->onCommand(kMenuSelectSource);
    }

    Album& addAlbum(const std::string& name, int pictures, float size) {
        Album a;
        a.name = name;
        a.id = state.albums.empty() ? 1 : state.albums.back().id + 1;
        a.pictureCount = pictures;
        a.sizeMB = size;
        a.isNew = 0;
        state.albums.push_back(a);
        return state.albums.back();
    }

    void select(int position) {
        window->control(kAlbumsList).selection = position;
        window->onSelectionChanged(kAlbumsList);
    }
};

TEST_F(MainWindowAlbumList, RefreshListsAlbumsAndSummary) {
    addAlbum("Spring", 1, 0.5f);
    addAlbum("Summer", 2, 1.25f);
    window->refreshAlbumList();
    EXPECT_EQ(control(kAlbumsList).items, (std::vector<std::string>{"1. Spring", "2. Summer"}));
    EXPECT_EQ(control(kAlbumSummary).text,
              "2 albums created. Pictures in albums 3 of 4. Still to add 1. Size 1.75MB");
    EXPECT_TRUE(control(kMenuSaveSession).enabled);
    EXPECT_TRUE(control(kAlbumDetails).items.empty());
}

TEST_F(MainWindowAlbumList, SelectionShowsDetailsAndIsKeptByRefresh) {
    addAlbum("Spring", 1, 0.5f);
    addAlbum("Summer", 2, 1.25f);
    window->refreshAlbumList();
    select(1);
    ASSERT_FALSE(control(kAlbumDetails).items.empty());
    EXPECT_EQ(control(kAlbumDetails).items[0], "Name: Summer");
    EXPECT_EQ(control(kAlbumDetails).items[1], "In album: 2 pictures");
    EXPECT_TRUE(control(kDeleteAlbum).enabled);
    window->refreshAlbumList();
    EXPECT_EQ(control(kAlbumsList).selection, 1);
    EXPECT_EQ(control(kAlbumDetails).items[0], "Name: Summer");
}

TEST_F(MainWindowAlbumList, DeleteAsksThenFreesThePictures) {
    addAlbum("Spring", 2, 1.0f);
    addAlbum("Summer", 2, 1.0f);
    auto& catalogue = state.dirReader->catalogue();
    catalogue[0].albumId = 1;
    catalogue[1].albumId = 2;
    catalogue[2].albumId = 2;
    window->refreshAlbumList();
    select(1);

    host.answer(Answer::Cancel);
    window->onCommand(kDeleteAlbum);
    EXPECT_EQ(state.albums.size(), 2u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Delete selected album?");
    EXPECT_EQ(host.messages[0].caption, "Delete Album");
    EXPECT_EQ(host.messages[0].icon, Icon::Question);
    EXPECT_EQ(host.messages[0].buttons, Buttons::OkCancel);

    host.answer(Answer::Ok);
    window->onCommand(kDeleteAlbum);
    ASSERT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(state.albums[0].name, "Spring");
    EXPECT_EQ(catalogue[0].albumId, 1);
    EXPECT_EQ(catalogue[1].albumId, 0);
    EXPECT_EQ(catalogue[2].albumId, 0);
    // The last album went: nothing is selected, no details, no delete.
    EXPECT_EQ(control(kAlbumsList).selection, -1);
    EXPECT_TRUE(control(kAlbumDetails).items.empty());
    EXPECT_FALSE(control(kDeleteAlbum).enabled);
    EXPECT_EQ(control(kAlbumsList).items, std::vector<std::string>{"1. Spring"});
}

TEST_F(MainWindowAlbumList, DeleteInANegativeModeMakesThePicturesNegative) {
    addAlbum("Spring", 1, 1.0f);
    state.dirReader->catalogue()[3].albumId = 1;
    state.editing.newAlbumStartsNegative = 1;
    window->refreshAlbumList();
    select(0);
    window->onCommand(kDeleteAlbum);
    EXPECT_EQ(state.dirReader->catalogue()[3].isNegative, 1);
    EXPECT_EQ(state.dirReader->catalogue()[3].albumId, 0);
}

TEST_F(MainWindowAlbumList, DeleteWithoutSelectionOnlyDisablesTheButton) {
    addAlbum("Spring", 1, 1.0f);
    window->refreshAlbumList();
    window->control(kDeleteAlbum).enabled = true;
    window->onCommand(kDeleteAlbum);
    EXPECT_FALSE(control(kDeleteAlbum).enabled);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(state.albums.size(), 1u);
}

TEST_F(MainWindowAlbumList, NewSourceWithAlbumsWarnsAndDeletesEvenIfBrowserCancelled) {
    addAlbum("Spring", 1, 1.0f);
    window->refreshAlbumList();
    host.answer(Answer::Cancel);
    window->onCommand(kSelectSourceButton);
    EXPECT_EQ(state.albums.size(), 1u);
    EXPECT_EQ(host.messages.back().text, "Albums will be lost!");
    EXPECT_EQ(host.messages.back().caption, "Warning");
    EXPECT_EQ(host.messages.back().icon, Icon::Exclamation);

    host.answer(Answer::Ok);
    host.browseTo(std::nullopt);
    window->onCommand(kSelectSourceButton);
    EXPECT_TRUE(state.albums.empty());
    EXPECT_EQ(control(kAlbumSummary).text, "Albums created: None");
    EXPECT_FALSE(control(kMenuSaveSession).enabled);
    // The previous catalogue stays.
    EXPECT_EQ(state.dirReader->catalogue().size(), 4u);
}

TEST_F(MainWindowAlbumList, ProcessAsksForTheTargetUntilOneIsChosen) {
    addAlbum("Spring", 1, 1.0f);
    window->refreshAlbumList();
    // Yes, then the source itself (refused), the question again, then No.
    host.answer(Answer::Yes);
    host.browseTo(source.str());
    host.answer(Answer::No);
    window->onCommand(kProcess);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"Target directory not selected. Do you want to select it now?",
                                        "Target directory is the same as source directory!",
                                        "Target directory not selected. Do you want to select it now?"}));
    EXPECT_EQ(host.messages[0].caption, "Select target directory");
    EXPECT_EQ(host.messages[0].buttons, Buttons::YesNo);

    const std::string target = startFolder.makeDir("out").string();
    host.answer(Answer::Yes);
    host.browseTo(target);
    window->onCommand(kProcess);
    EXPECT_EQ(control(kTargetFolder).text, target);
    EXPECT_EQ(state.processTargetPath, target);
    // Once a target is chosen the command goes on without asking again.
    EXPECT_EQ(host.messages.size(), 4u);
}

TEST_F(MainWindowAlbumList, EditSelectedNeedsASelectionAndWarnsForProcessedAlbums) {
    addAlbum("Spring", 1, 1.0f).isProcessed = 1;
    window->refreshAlbumList();
    window->onCommand(kMenuEditSelected);
    EXPECT_EQ(host.messages.back().text, "Please select an album from Albums List first.");
    EXPECT_TRUE(host.modalRuns.empty());
    select(0);
    bool saveEnabled = true;
    host.onModal("CViewPhoto", [&](Window& w) { saveEnabled = w.control(1).enabled; });
    window->onDoubleClick(kAlbumsList);
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Album is already processed and cannot be modified!");
    EXPECT_EQ(host.messages[1].icon, Icon::Information);
    // The window still opens, for viewing only.
    EXPECT_EQ(host.modalRuns, std::vector<std::string>{"CViewPhoto"});
    EXPECT_FALSE(saveEnabled);
    EXPECT_EQ(state.editing.editingAlbum, 0);
}

TEST_F(MainWindowAlbumList, RecountTakesSizesFromTheCatalogue) {
    addAlbum("Spring", 9, 9.0f);
    addAlbum("Summer", 9, 9.0f);
    auto& catalogue = state.dirReader->catalogue();
    catalogue[0].albumId = 1;
    catalogue[0].size = 1048576;
    catalogue[1].albumId = 1;
    catalogue[1].size = 3 * 524288;
    catalogue[2].albumId = 0;
    window->recountAlbums();
    EXPECT_EQ(state.albums[0].pictureCount, 2);
    EXPECT_FLOAT_EQ(state.albums[0].sizeMB, 2.5f);
    EXPECT_EQ(state.albums[1].pictureCount, 0);
    EXPECT_FLOAT_EQ(state.albums[1].sizeMB, 0.0f);
    EXPECT_EQ(control(kAlbumSummary).text,
              "2 albums created. Pictures in albums 2 of 4. Still to add 2. Size 2.50MB");
}

}  // namespace
}  // namespace dz
