#include "MainWindowFixture.h"

#include "app/Settings.h"
#include "duplicates/CDuplicates.h"

#include "LocalStamp.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace dz {
namespace {

using namespace mainwin;
using W = CDuplicates;

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scanned source of three byte-identical pictures p1, p2, p3 and another
// one, q, in name order; one album holds p2 and q.
class MainWindowDuplicates : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        const std::string copy = test::readTestData("nikon-640x480-exif-thumbnail-160x120.jpg");
        source.write("p1.jpg", copy);
        source.write("p2.jpg", copy);
        source.write("p3.jpg", copy);
        source.write("q.jpg", test::readTestData("canon-40d.jpg"));
    }

    void scanSource() {
        start();
        host.browseTo(source.str());
        window->onCommand(kMenuSelectSource);
        ASSERT_EQ(catalogue().size(), 4u);
        state.dirReader->sortCatalogue(1, false);
        Album album;
        album.name = "Spring";
        album.id = 1;
        album.isNew = 0;
        album.pictureCount = 99;  // stale until the recount
        state.albums.push_back(album);
        catalogue()[1].albumId = 1;
        catalogue()[3].albumId = 1;
        qSize = catalogue()[3].size;
    }

    std::vector<PictureRecord>& catalogue() { return state.dirReader->catalogue(); }

    // The window's script: analyse and compare, then `finish`.
    void searchWith(std::function<void(Window&)> finish) {
        host.onModal("CDuplicates", [finish](Window& w) {
            w.onCommand(W::kAnalize);
            w.onCommand(W::kCompare);
            finish(w);
        });
        window->onCommand(kMenuSearchDuplicates);
    }

    std::uint64_t qSize = 0;
};

TEST_F(MainWindowDuplicates, OkWithTheBoxTickedTakesOutTheCopiesAndSavesTheWord) {
    scanSource();
    bool tickedAtOpen = true;
    searchWith([&](Window& w) {
        tickedAtOpen = w.control(W::kExclude).checked;
        EXPECT_EQ(w.control(W::kStatus).text, "Ready. Found 2 duplicates");
        w.control(W::kExclude).checked = true;
        w.onCommand(W::kExclude);
        w.onCommand(W::kOk);
    });
    EXPECT_EQ(host.modalRuns, std::vector<std::string>{"CDuplicates"});
    EXPECT_FALSE(tickedAtOpen);
    ASSERT_EQ(catalogue().size(), 2u);
    EXPECT_EQ(catalogue()[0].path, source.str() + "/p1.jpg");
    EXPECT_EQ(state.removedPictures.size(), 2u);
    EXPECT_EQ(state.duplicatesFound, 2);
    EXPECT_EQ(state.settings.excludeDuplicates, 1);
    EXPECT_EQ(fileBytes(std::filesystem::path(state.settingsFolder) / kSettingsFileName), test::littleEndianWords({1, 1, 1, 0, 1}));

    EXPECT_EQ(state.texts.status, "2 unique .JPG Files with exif information. Duplicates 2. Removed 2");
    EXPECT_EQ(control(kStatus).text, state.texts.status);
    // p2 went; only q is left in the album.
    EXPECT_EQ(state.albums[0].pictureCount, 1);
    EXPECT_FLOAT_EQ(state.albums[0].sizeMB, static_cast<float>(qSize) / 1048576.0f);
    EXPECT_EQ(control(kAlbumsList).items, std::vector<std::string>{"1. Spring"});
    EXPECT_NE(state.texts.albumSummary.find("Pictures in albums 1 of 2"), std::string::npos)
        << state.texts.albumSummary;
}

TEST_F(MainWindowDuplicates, TheWindowReadsTheSettingsFileWhenItOpens) {
    startFolder.write(kSettingsFileName, test::littleEndianWords({1, 1, 1, 0, 1}));
    scanSource();
    state.settings.excludeDuplicates = 0;
    bool tickedAtOpen = false;
    host.onModal("CDuplicates", [&](Window& w) { tickedAtOpen = w.control(W::kExclude).checked; });
    window->onCommand(kMenuSearchDuplicates);
    EXPECT_TRUE(tickedAtOpen);
}

TEST_F(MainWindowDuplicates, CancelKeepsEveryPictureButStillShowsTheCountAndRecounts) {
    scanSource();
    searchWith([](Window& w) { w.onCommand(W::kCancel); });
    EXPECT_EQ(catalogue().size(), 4u);
    EXPECT_TRUE(state.abortRequest);
    EXPECT_EQ(state.texts.status, "Found 4 .JPG Files with exif information. Duplicates 2. None removed");
    EXPECT_EQ(state.albums[0].pictureCount, 2);
    EXPECT_FALSE(std::filesystem::exists(startFolder.path() / kSettingsFileName));
}

TEST_F(MainWindowDuplicates, APictureRemovedByHandCountsAsRemovedAfterCancel) {
    scanSource();
    searchWith([](Window& w) {
        w.control(W::kGroups).selection = 3;  // p3
        w.onSelectionChanged(W::kGroups);
        w.onCommand(W::kRemoveSelected);
        w.onCommand(W::kCancel);
    });
    EXPECT_EQ(catalogue().size(), 3u);
    EXPECT_EQ(state.texts.status, "Found 3 .JPG Files with exif information. Duplicates 2. Removed 1");
    EXPECT_EQ(state.albums[0].pictureCount, 2);
}

TEST_F(MainWindowDuplicates, NoDuplicatesLeavesTheStatusLineAlone) {
    std::filesystem::remove(source.path() / "p2.jpg");
    std::filesystem::remove(source.path() / "p3.jpg");
    start();
    host.browseTo(source.str());
    window->onCommand(kMenuSelectSource);
    const std::string before = state.texts.status;
    searchWith([](Window& w) { w.onCommand(W::kOk); });
    EXPECT_EQ(state.duplicatesFound, 0);
    EXPECT_EQ(state.texts.status, before);
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace dz
