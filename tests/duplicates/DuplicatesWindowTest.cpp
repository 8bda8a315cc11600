#include "DuplicatesFixture.h"
#include "LookAlikeSet.h"

#include "duplicates/CDuplicates.h"
#include "duplicates/DuplicateSearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dz::test {
namespace {

using W = CDuplicates;

// The "Search for duplicates" window over a scanned catalogue, with the
// program-wide counters it changes.
class DuplicatesWindowTest : public DuplicatesFixture {
protected:
    // Three byte-identical copies of one picture and one other picture;
    // their names put them in the order p1, p2, p3, q.
    void threeCopiesAndOne() {
        const std::string copy = readTestData("nikon-640x480-exif-thumbnail-160x120.jpg");
        write("p1.jpg", copy);
        write("p2.jpg", copy);
        write("p3.jpg", copy);
        write("q.jpg", readTestData("canon-40d.jpg"));
        catalogue = scan();
        ASSERT_EQ(catalogue.size(), 4u);
        scannedCount = 4;
    }

    W& open() {
        window = std::make_unique<W>(host, DuplicateJob{catalogue, removed, removedBytes, duplicatesFound,
                                                        scannedCount, abortRequest, excludeDuplicates, filmBuilt,
                                                        [this] { ++reloads; }, [this] { ++saves; }});
        window->onInit();
        return *window;
    }

    const Control& control(int id) const { return window->control(id); }
    const std::vector<std::string>& lines() const { return control(W::kGroups).items; }

    void select(int line) {
        window->control(W::kGroups).selection = line;
        window->onSelectionChanged(W::kGroups);
    }

    void tickExclude(bool ticked) {
        window->control(W::kExclude).checked = ticked;
        window->onCommand(W::kExclude);
    }

    std::string pathOf(const std::string& name) const { return (folder.path() / name).string(); }

    static bool allBlack(const Control& frame) {
        for (std::uint8_t b : frame.picture) {
            if (b != 0) {
                return false;
            }
        }
        return !frame.picture.empty();
    }

    static std::string freedText(int removedCount, std::int64_t bytes) {
        char text[160];
        std::snprintf(text, sizeof text, "Ready! %d duplicate pics removed: %5.1f MB space freed.", removedCount,
                      static_cast<double>(bytes) / 1048576.0);
        return text;
    }

    std::vector<PictureRecord> catalogue;
    std::vector<PictureRecord> removed;
    std::int64_t removedBytes = 0;
    std::int32_t duplicatesFound = 0;
    std::int32_t scannedCount = 0;
    bool abortRequest = true;  // left set by an earlier loop
    std::int32_t excludeDuplicates = 0;
    bool filmBuilt = true;
    int reloads = 0;
    int saves = 0;
    std::unique_ptr<W> window;
};

TEST_F(DuplicatesWindowTest, OpensWithItsControlsAndAsksForAnAnalysisFirst) {
    threeCopiesAndOne();
    excludeDuplicates = 1;
    open();
    EXPECT_EQ(window->title(), "Search for duplicates");
    EXPECT_EQ(window->helpTopic(), 9);
    EXPECT_EQ(reloads, 1);
    EXPECT_FALSE(abortRequest);
    EXPECT_EQ(control(W::kOk).text, "OK");
    EXPECT_EQ(control(W::kCancel).text, "Cancel");
    EXPECT_EQ(control(W::kCompare).text, "Compare");
    EXPECT_EQ(control(W::kAnalize).text, "Analize");
    EXPECT_EQ(control(W::kExclude).text, "Exclude all duplicates from pictures list");
    EXPECT_EQ(control(W::kViewerCaption).text, "Thumbnail Viewer");
    EXPECT_EQ(control(W::kRemoveSelected).text, "Remove selected");
    EXPECT_EQ(control(W::kStatus).text, "Pictures not analized.Please analize first, then compare");
    EXPECT_TRUE(control(W::kAnalize).enabled);
    EXPECT_FALSE(control(W::kCompare).enabled);
    EXPECT_FALSE(control(W::kRemoveSelected).enabled);
    EXPECT_TRUE(control(W::kExclude).checked);
    EXPECT_FALSE(control(W::kExclude).enabled);
    EXPECT_TRUE(allBlack(control(W::kViewer)));
    EXPECT_FALSE(control(W::kViewer).enabled);
    EXPECT_FALSE(control(W::kViewerCaption).enabled);

    // Compare stays off until an analysis has run to its end.
    window->onCommand(W::kCompare);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(catalogue[1].isDuplicate, 0);
}

TEST_F(DuplicatesWindowTest, ThreeIdenticalPicturesMakeOneGroupHeadedByTheFirstAndOkTakesOutTheOthers) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kAnalize);
    EXPECT_EQ(control(W::kStatus).text, "Analize finished.Ready to compare.");
    EXPECT_FALSE(control(W::kAnalize).enabled);
    EXPECT_TRUE(control(W::kCompare).enabled);
    EXPECT_TRUE(control(W::kOk).enabled);
    EXPECT_EQ(control(W::kProgress).rangeMax, 4);
    EXPECT_EQ(control(W::kProgress).position, 4);

    window->onCommand(W::kCompare);
    EXPECT_EQ(lines(), (std::vector<std::string>{"### Duplicate nr.1 ###", pathOf("p1.jpg"), pathOf("p2.jpg"),
                                                 pathOf("p3.jpg")}));
    EXPECT_EQ(control(W::kStatus).text, "Ready. Found 2 duplicates");
    EXPECT_TRUE(control(W::kExclude).enabled);
    EXPECT_EQ(duplicatesFound, 2);
    EXPECT_EQ(catalogue[0].isDuplicate, 0);
    EXPECT_EQ(catalogue[1].isDuplicate, 1);
    EXPECT_EQ(catalogue[2].isDuplicate, 1);
    EXPECT_EQ(catalogue[3].isDuplicate, 0);

    tickExclude(true);
    EXPECT_EQ(excludeDuplicates, 1);
    const std::int64_t bytes = static_cast<std::int64_t>(catalogue[1].size + catalogue[2].size);
    window->onCommand(W::kOk);
    EXPECT_TRUE(window->hasEnded());
    EXPECT_EQ(window->result(), kResultOk);
    EXPECT_EQ(pathsOf(catalogue), (std::vector<std::string>{pathOf("p1.jpg"), pathOf("q.jpg")}));
    EXPECT_EQ(pathsOf(removed), (std::vector<std::string>{pathOf("p2.jpg"), pathOf("p3.jpg")}));
    EXPECT_EQ(removed[0].isExcluded, 1);
    EXPECT_EQ(removed[1].isExcluded, 1);
    EXPECT_EQ(removedBytes, bytes);
    EXPECT_FALSE(filmBuilt);
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, freedText(2, bytes));
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Information);
}

TEST_F(DuplicatesWindowTest, AReopenedWindowFindsThePicturesAnalysedAndKeepsTheFirstCount) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kAnalize);
    window->onCommand(W::kCompare);
    window->onCommand(W::kCancel);
    EXPECT_TRUE(abortRequest);
    EXPECT_EQ(window->result(), kResultCancel);
    EXPECT_EQ(catalogue.size(), 4u);

    write("p4.jpg", readTestData("nikon-640x480-exif-thumbnail-160x120.jpg"));
    PictureRecord fourth = scan()[3];  // p1 p2 p3 p4 q
    ASSERT_EQ(fourth.path, pathOf("p4.jpg"));
    fourth.block->signature = catalogue[0].block->signature;
    catalogue.push_back(fourth);
    open();
    EXPECT_FALSE(abortRequest);
    EXPECT_EQ(control(W::kStatus).text, "Pictures are analized. You may compare them.");
    EXPECT_FALSE(control(W::kAnalize).enabled);
    EXPECT_TRUE(control(W::kCompare).enabled);
    window->onCommand(W::kCompare);
    EXPECT_EQ(control(W::kStatus).text, "Ready. Found 3 duplicates");
    EXPECT_EQ(duplicatesFound, 2) << "only the first comparison that found any sets the count";
}

TEST_F(DuplicatesWindowTest, SelectingALineShowsItsPictureAndAHeadingShowsThePlaceholder) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kAnalize);
    window->onCommand(W::kCompare);

    select(2);
    EXPECT_TRUE(control(W::kRemoveSelected).enabled);
    EXPECT_TRUE(control(W::kViewerCaption).enabled);
    EXPECT_TRUE(control(W::kViewer).enabled);
    EXPECT_EQ(control(W::kViewer).pictureWidth, W::kViewerWidth);
    EXPECT_EQ(control(W::kViewer).pictureHeight, W::kViewerHeight);
    EXPECT_FALSE(allBlack(control(W::kViewer)));

    select(0);
    EXPECT_FALSE(control(W::kRemoveSelected).enabled);
    EXPECT_FALSE(control(W::kViewerCaption).enabled);
    EXPECT_FALSE(control(W::kViewer).enabled);
    EXPECT_TRUE(allBlack(control(W::kViewer)));
    EXPECT_EQ(control(W::kViewer).pictureWidth, W::kViewerWidth);

    // A listed file that has gone from the disk shows the placeholder too.
    std::filesystem::remove(pathOf("p3.jpg"));
    select(3);
    EXPECT_FALSE(control(W::kRemoveSelected).enabled);
    EXPECT_TRUE(allBlack(control(W::kViewer)));
}

TEST_F(DuplicatesWindowTest, RemovingTheHeadListsTheOthersUnderANewHeadAndASecondPressFindsNothing) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kAnalize);
    window->onCommand(W::kCompare);
    select(1);
    const std::uint64_t size = catalogue[0].size;
    window->onCommand(W::kRemoveSelected);

    EXPECT_EQ(pathsOf(removed), std::vector<std::string>{pathOf("p1.jpg")});
    EXPECT_EQ(removed[0].isExcluded, 1);
    EXPECT_EQ(removedBytes, static_cast<std::int64_t>(size));
    EXPECT_EQ(catalogue.size(), 3u);
    EXPECT_EQ(lines(), (std::vector<std::string>{"### Duplicate nr.1 ###", pathOf("p2.jpg"), pathOf("p3.jpg")}));
    EXPECT_EQ(control(W::kStatus).text, "Ready. Found 1 duplicates");
    EXPECT_EQ(catalogue[0].isDuplicate, 0);
    EXPECT_EQ(catalogue[1].isDuplicate, 1);
    EXPECT_EQ(control(W::kGroups).selection, -1);
    EXPECT_TRUE(control(W::kRemoveSelected).enabled);
    EXPECT_FALSE(control(W::kViewer).enabled);
    EXPECT_TRUE(allBlack(control(W::kViewer)));
    EXPECT_TRUE(host.messages.empty());

    window->onCommand(W::kRemoveSelected);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Item not removed");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_EQ(catalogue.size(), 3u);

    // OK with the box clear takes nothing more out, but tells of the removal.
    window->onCommand(W::kOk);
    EXPECT_EQ(catalogue.size(), 3u);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, freedText(1, static_cast<std::int64_t>(size)));
}

TEST_F(DuplicatesWindowTest, OkWithoutRemovalsSaysNothingAndEarlierRemovalsAreStillReported) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kOk);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(catalogue.size(), 4u);

    // Taken out in an earlier window: the message counts from the scan.
    scannedCount = 6;
    removedBytes = 3 * 1048576 + 524288;
    open();
    window->onCommand(W::kOk);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Ready! 2 duplicate pics removed:   3.5 MB space freed.");
}

TEST_F(DuplicatesWindowTest, PicturesThatCannotBeDecodedAreNotDuplicatesOfOneAnother) {
    // Their signatures are all zero, which says nothing about what they show;
    // grouping them would let "Exclude all duplicates" drop them.
    threeCopiesAndOne();
    catalogue.insert(catalogue.begin() + 1, missing("gone-a.jpg"));
    catalogue.push_back(missing("gone-b.jpg"));
    catalogue.push_back(missing("gone-c.jpg"));
    open();
    window->onCommand(W::kAnalize);
    EXPECT_EQ(control(W::kStatus).text, "Analize finished.Ready to compare.");
    window->onCommand(W::kCompare);
    EXPECT_EQ(lines(), (std::vector<std::string>{"### Duplicate nr.1 ###", pathOf("p1.jpg"), pathOf("p2.jpg"),
                                                 pathOf("p3.jpg")}));
    EXPECT_EQ(control(W::kStatus).text, "Ready. Found 2 duplicates");
}

TEST_F(DuplicatesWindowTest, SimilarPicturesShowTheirDistanceAndCanBeRemoved) {
    // A copy without the EXIF thumbnail: its signature comes from its pixels,
    // the original's from its thumbnail, so only the similar mode finds it.
    const std::string original = readTestData("nikon-640x480-exif-thumbnail-160x120.jpg");
    write("a.jpg", original);
    write("b.jpg", readTestData("nikon-640x480-second-shot.jpg"));
    const LookAlikeSet made = makeLookAlikeSet({{folder.str() + "/a.jpg", false}}, folder.str() + "/made");
    ASSERT_EQ(made.error, "");
    const auto copyOf = std::find_if(made.pictures.begin(), made.pictures.end(), [](const LookAlike& p) {
        return p.kind >= 0 && std::string(lookAlikeKinds()[static_cast<std::size_t>(p.kind)].name) == "copy without thumbnail";
    });
    ASSERT_NE(copyOf, made.pictures.end());
    const std::string copy = copyOf->path;
    for (const LookAlike& p : made.pictures) {
        if (p.path != copy) {
            std::filesystem::remove(p.path);
        }
    }
    catalogue = scan();
    open();
    window->onCommand(W::kAnalize);
    window->onCommand(W::kCompare);
    EXPECT_EQ(control(W::kStatus).text, "Found no duplicates");

    window->control(W::kSimilar).checked = true;
    window->onCommand(W::kSimilar);
    window->onCommand(W::kCompare);
    const std::vector<std::string> shown = lines();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], pathOf("a.jpg"));
    EXPECT_THAT(shown[2], ::testing::MatchesRegex(".*/made/a-nothumb\\.jpg   \\(distance 0\\.00[0-9]+\\)"));
    EXPECT_EQ(control(W::kStatus).text, "Ready. Found 1 duplicates");

    select(2);
    ASSERT_TRUE(control(W::kRemoveSelected).enabled) << "the line's picture is shown";
    window->onCommand(W::kRemoveSelected);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].path, copy);
}

TEST_F(DuplicatesWindowTest, TheSearchWithoutAWindowGivesTheSameListAndMarks) {
    threeCopiesAndOne();
    catalogue.push_back(missing("gone.jpg"));
    const DuplicateSearchResult result = findDuplicates(catalogue);
    EXPECT_EQ(result.analysis.attempted, 5);
    EXPECT_EQ(result.comparison.duplicates, 2);
    EXPECT_EQ(result.lines, (std::vector<std::string>{"### Duplicate nr.1 ###", pathOf("p1.jpg"), pathOf("p2.jpg"),
                                                      pathOf("p3.jpg")}));
    EXPECT_EQ(catalogue[2].isDuplicate, 1);
    EXPECT_EQ(findDuplicates(catalogue).analysis.attempted, 1) << "only the picture that never decoded";
}

TEST_F(DuplicatesWindowTest, NoDuplicatesLeavesTheBoxOff) {
    write("a.jpg", readTestData("canon-40d.jpg"));
    write("b.jpg", readTestData("nikon-d70-comment-after-exif.jpg"));
    catalogue = scan();
    open();
    window->onCommand(W::kAnalize);
    window->onCommand(W::kCompare);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(control(W::kStatus).text, "Found no duplicates");
    EXPECT_FALSE(control(W::kExclude).enabled);
    EXPECT_EQ(duplicatesFound, 0);
}

TEST_F(DuplicatesWindowTest, CancelDuringTheAnalysisStopsItAtTheNextPicture) {
    threeCopiesAndOne();
    open();
    const int pumped = host.pumps;
    std::vector<std::string> statuses;
    host.atPump(1, [&] { statuses.push_back(control(W::kStatus).text); });
    host.atPump(2, [&] {
        statuses.push_back(control(W::kStatus).text);
        EXPECT_FALSE(control(W::kOk).enabled);
        window->onCommand(W::kCancel);
    });
    window->onCommand(W::kAnalize);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Pictures not analized.Please analize first, then compare",
                                                  "Analizing picture 1. Please wait..."}));
    EXPECT_TRUE(window->hasEnded());
    EXPECT_EQ(window->result(), kResultCancel);
    EXPECT_TRUE(isAnalysed(catalogue[0]));
    EXPECT_FALSE(isAnalysed(catalogue[1]));
    EXPECT_EQ(control(W::kStatus).text, "Analize canceled by user.");
    EXPECT_FALSE(control(W::kCompare).enabled);
    EXPECT_EQ(host.pumps, pumped + 2);
}

TEST_F(DuplicatesWindowTest, CancelDuringTheComparisonShowsNothingMoreAndTakesNothingOut) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kAnalize);
    const int pumped = host.pumps;
    // The first picture heads the group; Cancel comes before the second.
    host.atPump(2, [&] {
        EXPECT_EQ(control(W::kStatus).text, "Found 2 duplicates");
        window->onCommand(W::kCancel);
    });
    window->onCommand(W::kCompare);
    EXPECT_EQ(host.pumps, pumped + 2);
    EXPECT_EQ(control(W::kStatus).text, "Found 2 duplicates");
    EXPECT_EQ(lines().size(), 4u);
    EXPECT_FALSE(control(W::kOk).enabled);
    EXPECT_EQ(catalogue.size(), 4u);
    EXPECT_EQ(saves, 0);
}

TEST_F(DuplicatesWindowTest, ClicksThatArriveWhileAPassRunsWaitForIt) {
    threeCopiesAndOne();
    open();
    window->onCommand(W::kAnalize);
    window->onCommand(W::kCompare);
    // Compare again; during it the user picks a line the pass has listed
    // and presses Remove selected, Compare and OK.
    host.atPump(2, [&] {
        select(1);
        window->onCommand(W::kRemoveSelected);
        window->onCommand(W::kCompare);
        window->onCommand(W::kOk);
    });
    const int pumped = host.pumps;
    window->onCommand(W::kCompare);
    EXPECT_EQ(host.pumps, pumped + 4) << "one pass, one pump per picture";
    EXPECT_EQ(catalogue.size(), 4u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(window->hasEnded());
    EXPECT_EQ(lines().size(), 4u);
}

}  // namespace
}  // namespace dz::test
