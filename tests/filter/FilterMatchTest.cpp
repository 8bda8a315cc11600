#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace dz {
namespace {

ExifInfo canonPicture() {
    ExifInfo p;
    p.cameraMake = "Canon";
    p.cameraModel = "EOS 300D";
    p.width = 3072;
    p.height = 2048;
    p.focalLength = 50;
    p.xResolution = 72;
    p.yResolution = 72;
    p.exposureTime = 1.0f / 125;
    p.apertureFNumber = 5.6f;
    p.isoEquivalent = 200;
    p.focusDistance = 3.5f;
    p.exposureBias = 0.33f;
    p.flashUsed = 0;
    p.meteringMode = 5;
    p.exposureProgram = 2;
    p.whitebalance = 1;
    return p;
}

UseFlags allShown() {
    UseFlags shown;
    shown.fill(true);
    return shown;
}

struct MatchCase {
    const char* name;
    std::function<void(FilterCriteria&)> criteria;
    std::function<void(ExifInfo&)> picture;
    bool passes;
};

// Every case runs with filtering enabled and every criterion shown, unless it
// says otherwise.
TEST(PicturePassesFilter, Cases) {
    const auto none = [](auto&) {};
    const auto timeRange = [](FilterCriteria& f) { f.exposureTimeMax = 1.0f / 60, f.exposureTimeMin = 1.0f / 250; };
    const std::vector<MatchCase> cases = {
        {"default criteria, filtering off", [](FilterCriteria& f) { f = FilterCriteria{}; }, none, true},
        {"default criteria, filtering on", none, none, true},
        {"camera All ignores the model", [](FilterCriteria& f) { f.model = "X"; }, none, true},
        {"make matches, any model", [](FilterCriteria& f) { f.camera = "Canon"; f.model = "All"; }, none, true},
        {"make differs", [](FilterCriteria& f) { f.camera = "Nikon"; f.model = "All"; }, none, false},
        {"make compared case-sensitively", [](FilterCriteria& f) { f.camera = "canon"; f.model = "All"; }, none,
         false},
        {"camera tested with filtering off",
         [](FilterCriteria& f) { f.enabled = 0; f.camera = "Nikon"; f.model = "All"; }, none, false},
        {"make and model match", [](FilterCriteria& f) { f.camera = "Canon"; f.model = "EOS 300D"; }, none, true},
        {"model differs", [](FilterCriteria& f) { f.camera = "Canon"; f.model = "EOS 10D"; }, none, false},
        {"empty model rejects a named model", [](FilterCriteria& f) { f.camera = "Canon"; }, none, false},
        {"empty model takes an unnamed one", [](FilterCriteria& f) { f.camera = "Canon"; },
         [](ExifInfo& p) { p.cameraModel.clear(); }, true},
        {"width at Min", [](FilterCriteria& f) { f.widthMax = 3000; f.widthMin = 1600; },
         [](ExifInfo& p) { p.width = 1600; }, true},
        {"width at Max", [](FilterCriteria& f) { f.widthMax = 3000; f.widthMin = 1600; },
         [](ExifInfo& p) { p.width = 3000; }, true},
        {"width below Min", [](FilterCriteria& f) { f.widthMax = 3000; f.widthMin = 1600; },
         [](ExifInfo& p) { p.width = 1599; }, false},
        {"portrait passes on its width", [](FilterCriteria& f) { f.widthMax = 3000; f.widthMin = 1600; },
         [](ExifInfo& p) { p.width = 2000; p.height = 3000; }, true},
        {"width not shown", [](FilterCriteria& f) { f.widthMax = 3000; f.widthMin = 1600; f.use = {}; },
         [](ExifInfo& p) { p.width = 1599; }, true},
        {"width with filtering off", [](FilterCriteria& f) { f.enabled = 0; f.widthMax = 3000; f.widthMin = 1600; },
         [](ExifInfo& p) { p.width = 1599; }, true},
        {"aperture f/2.8 of 2.8..8", [](FilterCriteria& f) { f.apertureMax = 2.8f; f.apertureMin = 8.0f; },
         [](ExifInfo& p) { p.apertureFNumber = 2.8f; }, true},
        {"aperture f/5.6 of 2.8..8", [](FilterCriteria& f) { f.apertureMax = 2.8f; f.apertureMin = 8.0f; },
         [](ExifInfo& p) { p.apertureFNumber = 5.6f; }, true},
        {"aperture f/8 of 2.8..8", [](FilterCriteria& f) { f.apertureMax = 2.8f; f.apertureMin = 8.0f; },
         [](ExifInfo& p) { p.apertureFNumber = 8.0f; }, true},
        {"aperture f/2 of 2.8..8", [](FilterCriteria& f) { f.apertureMax = 2.8f; f.apertureMin = 8.0f; },
         [](ExifInfo& p) { p.apertureFNumber = 2.0f; }, false},
        {"aperture f/11 of 2.8..8", [](FilterCriteria& f) { f.apertureMax = 2.8f; f.apertureMin = 8.0f; },
         [](ExifInfo& p) { p.apertureFNumber = 11.0f; }, false},
        {"bias Max 0 tests nothing", [](FilterCriteria& f) { f.exposureBiasMax = 0; f.exposureBiasMin = -1; },
         [](ExifInfo& p) { p.exposureBias = -2; }, true},
        {"bias inside", [](FilterCriteria& f) { f.exposureBiasMax = 1; f.exposureBiasMin = -1; },
         [](ExifInfo& p) { p.exposureBias = -1; }, true},
        {"bias outside", [](FilterCriteria& f) { f.exposureBiasMax = 1; f.exposureBiasMin = -1; },
         [](ExifInfo& p) { p.exposureBias = 1.5f; }, false},
        {"flash 0 takes no flash", [](FilterCriteria& f) { f.flashChoice = 0; }, none, true},
        {"flash 0 rejects flash", [](FilterCriteria& f) { f.flashChoice = 0; },
         [](ExifInfo& p) { p.flashUsed = 1; }, false},
        {"flash -1 takes flash", none, [](ExifInfo& p) { p.flashUsed = 1; }, true},
        {"focal length 0 fails a range", [](FilterCriteria& f) { f.focalLengthMax = 70; f.focalLengthMin = 35; },
         [](ExifInfo& p) { p.focalLength = 0; }, false},
        {"resolution 72.5 above 72..72", [](FilterCriteria& f) { f.resolutionMax = 72; f.resolutionMin = 72; },
         [](ExifInfo& p) { p.xResolution = 72.5f; }, false},
        {"resolution ignores Y", [](FilterCriteria& f) { f.resolutionMax = 72; f.resolutionMin = 72; },
         [](ExifInfo& p) { p.yResolution = 300; }, true},
        {"exposure time inside", timeRange, none, true},
        {"exposure time too long", timeRange, [](ExifInfo& p) { p.exposureTime = 1.0f / 30; }, false},
        {"ISO at Max", [](FilterCriteria& f) { f.isoMax = 200; f.isoMin = 100; }, none, true},
        {"ISO above Max", [](FilterCriteria& f) { f.isoMax = 200; f.isoMin = 100; },
         [](ExifInfo& p) { p.isoEquivalent = 400; }, false},
        {"focus distance beyond", [](FilterCriteria& f) { f.focusDistanceMax = 3; f.focusDistanceMin = 1; }, none,
         false},
        {"metering differs", [](FilterCriteria& f) { f.meteringChoice = 3; }, none, false},
        {"program equal", [](FilterCriteria& f) { f.programChoice = 2; }, none, true},
        {"program differs", [](FilterCriteria& f) { f.programChoice = 1; }, none, false},
        {"white balance differs", [](FilterCriteria& f) { f.whitebalanceChoice = 2; }, none, false},
    };
    for (const MatchCase& c : cases) {
        FilterCriteria criteria;
        criteria.enabled = 1;
        criteria.use.fill(1);
        c.criteria(criteria);
        UseFlags shown{};
        for (std::size_t i = 0; i < kCriterionCount; ++i) {
            shown[i] = criteria.use[i] != 0;
        }
        ExifInfo picture = canonPicture();
        c.picture(picture);
        EXPECT_EQ(picturePassesFilter(criteria, shown, picture, nullptr), c.passes) << c.name;
    }
}

TEST(PicturePassesFilter, NotesTheTestsMadeUpToTheFirstFailure) {
    FilterCriteria criteria;
    criteria.enabled = 1;
    criteria.camera = "Canon";
    criteria.model = "All";
    criteria.widthMax = 3000;  // the picture is 3072 wide
    criteria.widthMin = 1600;
    criteria.isoMax = 400;
    TestedCriteria tested;
    EXPECT_FALSE(picturePassesFilter(criteria, allShown(), canonPicture(), &tested));
    EXPECT_TRUE(tested.camera);
    EXPECT_TRUE(tested.criterion[static_cast<std::size_t>(Criterion::Width)]);
    EXPECT_FALSE(tested.criterion[static_cast<std::size_t>(Criterion::Iso)]);

    // A second picture that passes the width adds the ISO test; the focal
    // length, shown but without a Max, is never noted.
    ExifInfo narrow = canonPicture();
    narrow.width = 2048;
    EXPECT_TRUE(picturePassesFilter(criteria, allShown(), narrow, &tested));
    EXPECT_TRUE(tested.criterion[static_cast<std::size_t>(Criterion::Iso)]);
    EXPECT_FALSE(tested.criterion[static_cast<std::size_t>(Criterion::FocalLength)]);
}

TEST(PicturePassesFilter, NotesNothingBeyondTheCameraWhenFilteringIsOff) {
    FilterCriteria criteria;
    criteria.isoMax = 100;
    TestedCriteria tested;
    EXPECT_TRUE(picturePassesFilter(criteria, allShown(), canonPicture(), &tested));
    EXPECT_FALSE(tested.camera);
    EXPECT_EQ(tested.criterion, (std::array<bool, kCriterionCount>{}));
}

TEST(ResetCriteria, ClearsBoundsAndChoicesAndKeepsTheRest) {
    FilterCriteria criteria;
    criteria.enabled = 1;
    criteria.camera = "Canon";
    criteria.model = "EOS 300D";
    criteria.use.fill(1);
    criteria.liveUpdate = 0;
    FilterCriteria expected = criteria;
    criteria.widthMax = 3000, criteria.widthMin = 1600, criteria.resolutionMax = 300, criteria.resolutionMin = 72;
    criteria.flashChoice = 1, criteria.focalLengthMax = 70, criteria.focalLengthMin = 35;
    criteria.exposureTimeMax = 1, criteria.exposureTimeMin = 0.5f, criteria.apertureMax = 2.8f;
    criteria.apertureMin = 8, criteria.isoMax = 400, criteria.isoMin = 100, criteria.focusDistanceMax = 5;
    criteria.focusDistanceMin = 1, criteria.whitebalanceChoice = 2, criteria.meteringChoice = 3;
    criteria.programChoice = 4, criteria.exposureBiasMax = 1, criteria.exposureBiasMin = -1;
    resetCriteria(criteria);
    EXPECT_EQ(criteria, expected);
}

}  // namespace
}  // namespace dz
