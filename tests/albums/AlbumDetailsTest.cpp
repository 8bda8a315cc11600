#include "albums/AlbumDetails.h"

#include "LocalStamp.h"

#include <gtest/gtest.h>


namespace dz {
namespace {

std::uint64_t stampU(int y, int mo, int d, int h, int mi, int s) {
    return static_cast<std::uint64_t>(test::localStamp(y, mo, d, h, mi, s));
}


Album trip() {
    Album a;
    a.name = "Trip";
    a.dirName = "2006\\Summer";
    a.id = 1;
    a.pictureCount = 12;
    a.sizeMB = 12.5f;
    a.setStart(stampU(2006, 5, 10, 14, 30, 1));
    a.setEnd(stampU(2006, 5, 12, 9, 0, 1));
    return a;
}

TEST(AlbumDetails, NewAlbumLines) {
    const Album a = trip();
    EXPECT_EQ(albumDetailsLines(a, "/home/me/out", 1, 1),
              (std::vector<std::string>{"Name: Trip", "In album: 12 pictures", "Size: 12.50MB",
                                        "Start date: [2006-05-10]/[14 30 01]", "End date: [2006-05-12]/[09 00 01]",
                                        "Album status: Not processed yet", "Album root: /home/me/out/2006/Summer",
                                        "Album Path: /home/me/out/2006/Summer/Trip", "Keep Original Name: No",
                                        "Add to name: Date  Time ", "Split By Days: No", "Use filters: No",
                                        "Camera: All"}));
}

TEST(AlbumDetails, OnePictureOneDayProcessed) {
    Album a = trip();
    a.pictureCount = 1;
    a.isProcessed = 1;
    a.setEnd(stampU(2006, 5, 10, 18, 0, 1));
    a.addDate = a.addTime = 0;
    a.keepOriginalName = 1;
    a.splitByDays = 1;
    const auto lines = albumDetailsLines(a, "/t", 4, 2);
    EXPECT_EQ(lines[1], "In album: 1 picture");
    EXPECT_EQ(lines[3], "Start date: [May 10, 2006]/[02 30 01 PM]");
    EXPECT_EQ(lines[4], "End date: [06 00 01 PM]");
    EXPECT_EQ(lines[5], "Album status: Processed");
    EXPECT_EQ(lines[8], "Keep Original Name: Yes");
    // No "Add to name:" line at all.
    EXPECT_EQ(lines[9], "Split By Days: Yes");
}

struct PathCase {
    const char* dirName;
    int createSubDir;
    const char* root;
    const char* path;
};

class AlbumPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(AlbumPaths, FollowTheDirectoryName) {
    Album a = trip();
    a.dirName = GetParam().dirName;
    a.createSubDir = GetParam().createSubDir;
    EXPECT_EQ(albumRootPath("/t", a.dirName), GetParam().root);
    EXPECT_EQ(albumPathText("/t", a), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AlbumPaths,
    ::testing::Values(PathCase{"\\", 1, "/t", "/t//Trip"}, PathCase{"/", 1, "/t", "/t//Trip"},
                      PathCase{"\\2006", 1, "/t/2006", "/t/2006/Trip"}, PathCase{"2006", 1, "/t/2006", "/t/2006/Trip"},
                      PathCase{"2006\\Summer", 0, "/t/2006/Summer", "/t"},
                      PathCase{"", 1, "/t/", "/t//Trip"}));

TEST(AlbumDetails, NotSelectedTargetIsShownAsItIs) {
    const auto lines = albumDetailsLines(trip(), "Not Selected. Please select one first.", 1, 1);
    EXPECT_EQ(lines[6], "Album root: Not Selected. Please select one first./2006/Summer");
}

TEST(AlbumDetails, FilterLinesOnlyWhenEnabled) {
    Album a = trip();
    a.filter.camera = "Canon";
    a.filter.model = "EOS 40D";
    a.filter.useFlag(Criterion::Width) = 1;
    a.filter.widthMax = 1024;
    a.filter.widthMin = 640;
    auto lines = albumDetailsLines(a, "/t", 1, 1);
    EXPECT_EQ(lines.back(), "Model: EOS 40D");
    a.filter.enabled = 1;
    lines = albumDetailsLines(a, "/t", 1, 1);
    EXPECT_EQ(lines[lines.size() - 2], "Max Width: 1024");
    EXPECT_EQ(lines.back(), "Min Width: 640");
}

TEST(AlbumDetails, EveryCriterionInItsOrderAndFormat) {
    Album a = trip();
    FilterCriteria& f = a.filter;
    f.enabled = 1;
    f.camera.clear();
    f.use.fill(1);
    f.widthMax = f.widthMin = 640;
    f.apertureMax = 2.8f;
    f.apertureMin = 8.0f;
    f.focusDistanceMax = 0;
    f.resolutionMax = f.resolutionMin = 72.5f;
    f.exposureBiasMax = 1.0f;
    f.exposureBiasMin = -0.5f;
    f.programChoice = 0;
    f.exposureTimeMax = 2.0f;
    f.exposureTimeMin = 0.004f;
    f.focalLengthMax = f.focalLengthMin = 50.0f;
    f.flashChoice = 1;
    f.isoMax = 400;
    f.isoMin = 100;
    f.meteringChoice = 9;
    f.whitebalanceChoice = -1;
    const auto lines = albumDetailsLines(a, "/t", 1, 1);
    const std::vector<std::string> expected{
        "Use filters: Yes", "Width: 640", "Max ApertureFNumber: f/2.8", "Min ApertureFNumber: f/8.0",
        "Focal Distance: Not activated", "X,Y resolution: 72", "Max Exposure Bias: 1.00", "Min Exposure Bias: -0.50",
        "Exposure Program: All", "Max Exposure Time:  2.000s", "Min Exposure Time: (1/250)~ 0.004s",
        "Focal Lenght: 50.0mm", "Flash Used: Yes", "Max ISO: 400", "Min ISO: 100", "Metering Mode: unkown",
        "White Balance: All"};
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(expected.size()), lines.end()), expected);
}

TEST(AlbumDetails, ChoiceTexts) {
    Album a = trip();
    a.filter.enabled = 1;
    a.filter.useFlag(Criterion::Program) = 1;
    a.filter.useFlag(Criterion::Flash) = 1;
    a.filter.useFlag(Criterion::Whitebalance) = 1;
    a.filter.programChoice = -1;
    a.filter.flashChoice = -1;
    a.filter.whitebalanceChoice = 255;
    auto lines = albumDetailsLines(a, "/t", 1, 1);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"Exposure Program: Not activated", "Flash Used: All",
                                        "White Balance: cloudy"}));
    a.filter.programChoice = 3;
    a.filter.flashChoice = 0;
    a.filter.whitebalanceChoice = 2;
    lines = albumDetailsLines(a, "/t", 1, 1);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"Exposure program: aperture priority (semi-auto)", "Flash Used: No",
                                        "White Balance: fluorescent"}));
}

TEST(AlbumSummary, CountsAndSizes) {
    AlbumList albums;
    EXPECT_EQ(albumSummaryText(albums, 20), "Albums created: None");
    Album a;
    a.pictureCount = 10;
    a.sizeMB = 10.0f;
    albums.push_back(a);
    EXPECT_EQ(albumSummaryText(albums, 10),
              "1 album created. Pictures in albums 10 of 10. All pictures are in albums. Size 10.00MB");
    Album b;
    b.pictureCount = 5;
    b.sizeMB = 2.5f;
    albums.push_back(b);
    EXPECT_EQ(albumSummaryText(albums, 20),
              "2 albums created. Pictures in albums 15 of 20. Still to add 5. Size 12.50MB");
    EXPECT_EQ(albumListEntry(2, b), "2. ");
}

}  // namespace
}  // namespace dz
