#include "albums/CAdvancedFilter.h"
#include "albums/CViewPhoto.h"

#include "FilmFixture.h"

#include <algorithm>

namespace dz::test {
namespace {

using W = CViewPhoto;
using F = CAdvancedFilter;
using Names = std::vector<std::string>;

// Control ids of the rows used below.
constexpr int kCamera = 1074, kModel = 1075, kCameraReset = 1128;
constexpr int kSizeMax = 1080, kSizeMin = 1081, kSizeBox = 1125;
constexpr int kFlash = 1082, kFlashBox = 1143;
constexpr int kFocalMax = 1085, kFocalBox = 1136;
constexpr int kTimeMax = 1087, kTimeMin = 1088, kTimeBox = 1139;
constexpr int kApertureMax = 1089, kApertureMin = 1090;
constexpr int kIsoMax = 1091, kIsoMin = 1092, kIsoBox = 1141, kIsoReset = 1134, kIsoLamp = 1157;
constexpr int kWhitebalance = 1096, kWhitebalanceBox = 1145;

// Four real pictures; in date order fuji (2006), d70 (March 2008), canon
// (May 2008), nikon (October 2008), each with its own size, focal length,
// exposure time, aperture and ISO.
class AdvancedFilterTest : public FilmTest {
protected:
    void SetUp() override {
        put("a-fuji.jpg", "fujifilm-e500-big-endian.jpg");
        put("b-d70.jpg", "nikon-d70-comment-after-exif.jpg");
        put("c-canon.jpg", kCanon);
        put("d-nikon.jpg", kNikon);
        scan();
    }

    // The Edit Album window of a new album, painted, with the filter open.
    CAdvancedFilter& openFilter() {
        if (!window) {
            newAlbum();
            openEditAlbum();
        }
        window->onCommand(W::kMenuAdvancedFilter);
        CAdvancedFilter* filter = window->advancedFilter();
        EXPECT_NE(filter, nullptr);
        return *filter;
    }

    void openEditAlbum() {
        window = std::make_unique<CViewPhoto>(ws);
        window->onInit();
        window->onShown();
    }

    // An album over the whole film, its pictures in it, opened for editing.
    Album& existingAlbum() {
        Album& album = newAlbum();
        album.setStart(pictureShotKey(record("a-fuji.jpg"), ws.biasMinutes));
        album.setEnd(pictureShotKey(record("d-nikon.jpg"), ws.biasMinutes));
        for (PictureRecord& p : reader.catalogue()) {
            p.albumId = album.id;
        }
        editing.editingAlbum = 1;
        editing.editedAlbumId = album.id;
        return album;
    }

    CAdvancedFilter& filter() { return *window->advancedFilter(); }
    const Control& ctl(int id) { return filter().control(id); }
    FilterCriteria& criteria() { return albums.back().filter; }

    // The user picks the entry with `text` in a drop-down list.
    void choose(int id, const std::string& text) {
        Control& c = filter().control(id);
        const auto it = std::find(c.items.begin(), c.items.end(), text);
        ASSERT_NE(it, c.items.end()) << text;
        c.selection = static_cast<int>(it - c.items.begin());
        filter().onSelectionChanged(id);
    }

    void tick(int id, bool on) {
        filter().control(id).checked = on;
        filter().onCommand(id);
    }

    std::string selected(int id) {
        const Control& c = ctl(id);
        return c.selection >= 0 && c.selection < static_cast<int>(c.items.size()) ? c.items[c.selection] : "";
    }

    // The film's pictures by file name, in film order.
    std::vector<std::string> film() const {
        std::vector<std::string> names;
        for (const PictureRecord& p : editing.film) {
            names.push_back(p.path.substr(p.path.rfind('/') + 1));
        }
        return names;
    }

    std::unique_ptr<CViewPhoto> window;
};

const Names kAllPictures{"a-fuji.jpg", "b-d70.jpg", "c-canon.jpg", "d-nikon.jpg"};
const Names kIsoTexts{"200", "100", "64"};
const Names kFocalTexts{"135.0mm", "100.0mm", "24.0mm", " 4.7mm"};

TEST_F(AdvancedFilterTest, OpensForANewAlbumWithFilteringOff) {
    CAdvancedFilter& f = openFilter();
    EXPECT_TRUE(window->control(W::kMenuAdvancedFilter).enabled);
    EXPECT_EQ(host.modelessShown, Names{"CAdvancedFilter"});
    EXPECT_EQ(f.title(), "Advanced Filter");
    EXPECT_EQ(ctl(F::kSettingsGroup).text, "Advanced Filter settings");
    EXPECT_EQ(ctl(F::kNote).text, "To keep filters active don't close this window");
    EXPECT_EQ(ctl(F::kEnable).text, "Enable Advanced Filtering");
    EXPECT_EQ(ctl(F::kLiveUpdate).text, "Live Update");
    EXPECT_EQ(ctl(F::kResetFilters).text, "Reset filters");
    EXPECT_EQ(ctl(F::kClose).text, "Close");
    EXPECT_EQ(ctl(F::kRowLabelBase + static_cast<int>(ValueList::FocalLength)).text, "Focal Lenght");
    EXPECT_EQ(ctl(kIsoReset).text, "");
    EXPECT_FALSE(ctl(F::kEnable).checked);
    EXPECT_TRUE(ctl(F::kLiveUpdate).checked);
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        const auto c = static_cast<Criterion>(i);
        const CriterionControls& row = filterRow(valueListOf(c));
        EXPECT_FALSE(ctl(row.checkBox).checked) << row.label;
        EXPECT_FALSE(ctl(row.checkBox).enabled) << row.label;
        EXPECT_FALSE(ctl(row.maxChoice).enabled) << row.label;
        EXPECT_EQ(f.indicator(c), kIndicatorOff) << row.label;
    }
    EXPECT_EQ(ctl(kIsoLamp).picture, indicatorPicture(kIndicatorOff));
    EXPECT_EQ(ctl(kCamera).items, (Names{"All", "FUJIFILM", "NIKON CORPORATION", "Canon", "NIKON"}));
    EXPECT_EQ(selected(kCamera), "All");
    EXPECT_FALSE(ctl(kModel).enabled);
    EXPECT_EQ(film(), kAllPictures);
    EXPECT_TRUE(host.messages.empty());

    // The menu again brings the same window forward as it was.
    window->onCommand(W::kMenuAdvancedFilter);
    EXPECT_EQ(window->advancedFilter(), &f);
    EXPECT_EQ(host.modelessShown.size(), 2u);

    f.onHelp();
    ASSERT_EQ(host.helpRequests.size(), 1u);
    EXPECT_EQ(host.helpRequests[0].topic, 8);
}

TEST_F(AdvancedFilterTest, EnablingOffersEveryCriterionThatHasValues) {
    CAdvancedFilter& f = openFilter();
    tick(F::kEnable, true);
    EXPECT_EQ(criteria().enabled, 1);
    EXPECT_TRUE(ctl(kIsoBox).checked);
    EXPECT_TRUE(ctl(kIsoBox).enabled);
    EXPECT_EQ(f.indicator(Criterion::Iso), kIndicatorActive);
    // No picture has a white balance or a focus distance.
    EXPECT_FALSE(ctl(kWhitebalanceBox).checked);
    EXPECT_FALSE(ctl(kWhitebalance).enabled);
    EXPECT_EQ(f.indicator(Criterion::Whitebalance), kIndicatorOff);
    EXPECT_EQ(f.indicator(Criterion::FocusDistance), kIndicatorOff);

    EXPECT_EQ(ctl(kIsoMax).items, kIsoTexts);
    EXPECT_EQ(selected(kIsoMax), "200");
    EXPECT_EQ(ctl(kIsoMin).items, kIsoTexts);
    EXPECT_EQ(selected(kIsoMin), "64");
    EXPECT_EQ(ctl(kSizeMax).items, (Names{"640 x 480", "100 x 66", "100 x 68", "59 x 100"}));
    EXPECT_EQ(ctl(kFlash).items, (Names{"All", "No", "Yes"}));
    EXPECT_EQ(selected(kFlash), "All");
    EXPECT_EQ(ctl(1093).items, (Names{"All", "center weight", "matrix"}));
    EXPECT_EQ(ctl(1095).items, (Names{"All", "manual", "program (auto)"}));
    EXPECT_EQ(ctl(1098).items, Names{"-1.00"});
    // Nothing is chosen yet, so every picture stays.
    EXPECT_EQ(film(), kAllPictures);

    tick(F::kEnable, false);
    EXPECT_EQ(criteria().enabled, 0);
    EXPECT_FALSE(ctl(kIsoBox).checked);
    EXPECT_FALSE(ctl(kIsoMax).enabled);
    EXPECT_TRUE(ctl(kIsoMax).items.empty());
    EXPECT_EQ(f.indicator(Criterion::Iso), kIndicatorOff);
}

TEST_F(AdvancedFilterTest, MaxChoiceLimitsTheMinChoiceAndTheFilm) {
    CAdvancedFilter& f = openFilter();
    tick(F::kEnable, true);
    choose(kTimeMax, "(1/160)~ 0.006s");
    EXPECT_EQ(ctl(kTimeMin).items, (Names{"(1/160)~ 0.006s", "(1/200)~ 0.005s"}));
    EXPECT_EQ(selected(kTimeMin), "(1/200)~ 0.005s");
    EXPECT_FLOAT_EQ(criteria().exposureTimeMax, 0.00625f);
    EXPECT_FLOAT_EQ(criteria().exposureTimeMin, 0.005f);
    EXPECT_EQ(f.indicator(Criterion::ExposureTime), kIndicatorChosen);
    EXPECT_EQ(film(), (Names{"b-d70.jpg", "c-canon.jpg"}));
    EXPECT_EQ(window->control(W::kStatus).text, "New Album: 2 pictures in album.");

    // The aperture runs the other way: Max is the smallest f-number.
    choose(kApertureMax, "f/7.1");
    EXPECT_EQ(ctl(kApertureMin).items, (Names{"f/7.1", "f/9.0"}));
    EXPECT_EQ(selected(kApertureMin), "f/9.0");
    choose(kApertureMin, "f/7.1");
    EXPECT_FLOAT_EQ(criteria().apertureMax, 7.1f);
    EXPECT_FLOAT_EQ(criteria().apertureMin, 7.1f);
    EXPECT_EQ(film(), Names{"c-canon.jpg"});
}

TEST_F(AdvancedFilterTest, LiveUpdateNarrowsTheOtherChoicesToThePicturesThatPass) {
    CAdvancedFilter& f = openFilter();
    tick(F::kEnable, true);
    choose(kSizeMax, "640 x 480");
    choose(kSizeMin, "640 x 480");
    EXPECT_EQ(criteria().widthMax, 640);
    EXPECT_EQ(criteria().widthMin, 640);
    EXPECT_EQ(film(), Names{"d-nikon.jpg"});
    EXPECT_EQ(ctl(kFocalMax).items, Names{"24.0mm"});
    EXPECT_EQ(ctl(kIsoMax).items, Names{"64"});
    EXPECT_EQ(ctl(kCamera).items, (Names{"All", "NIKON"}));
    // The changed criterion keeps its own list, so the user can widen it again.
    EXPECT_EQ(ctl(kSizeMax).items.size(), 4u);
    EXPECT_EQ(f.indicator(Criterion::Width), kIndicatorChosen);
    EXPECT_EQ(f.indicator(Criterion::FocalLength), kIndicatorActive);
}

TEST_F(AdvancedFilterTest, WithoutLiveUpdateOnlyTheFilmFollows) {
    openFilter();
    tick(F::kEnable, true);
    tick(F::kLiveUpdate, false);
    EXPECT_EQ(criteria().liveUpdate, 0);
    choose(kIsoMax, "100");
    EXPECT_EQ(criteria().isoMax, 100);
    EXPECT_EQ(criteria().isoMin, 64);
    EXPECT_EQ(film(), (Names{"a-fuji.jpg", "c-canon.jpg", "d-nikon.jpg"}));
    EXPECT_EQ(ctl(kFocalMax).items, kFocalTexts);
    EXPECT_EQ(ctl(kIsoMax).items, kIsoTexts);
}

TEST_F(AdvancedFilterTest, CameraAndModelApplyEvenWithFilteringOff) {
    openFilter();
    choose(kCamera, "Canon");
    EXPECT_EQ(criteria().camera, "Canon");
    EXPECT_EQ(criteria().model, "Canon EOS 40D");
    EXPECT_TRUE(ctl(kModel).enabled);
    EXPECT_EQ(ctl(kModel).items, Names{"Canon EOS 40D"});
    EXPECT_EQ(selected(kModel), "Canon EOS 40D");
    EXPECT_EQ(film(), Names{"c-canon.jpg"});
    // The camera list stays whole while the camera is chosen.
    EXPECT_EQ(ctl(kCamera).items.size(), 5u);

    choose(kCamera, "All");
    EXPECT_EQ(criteria().camera, "All");
    EXPECT_EQ(criteria().model, "");
    EXPECT_FALSE(ctl(kModel).enabled);
    EXPECT_TRUE(ctl(kModel).items.empty());
    EXPECT_EQ(film(), kAllPictures);
}

TEST_F(AdvancedFilterTest, ModelChoiceOffersAllOnceAMakeHasTwoModels) {
    put("e-d70.jpg", "nikon-d70-comment-after-exif.jpg");
    reader.clearFolders();
    reader.clearCatalogue();
    scan();
    record("e-d70.jpg").block->exif.cameraModel = "NIKON D50";
    record("e-d70.jpg").block->exif.dateTime = "2008:03:16 10:00:00";
    openFilter();
    choose(kCamera, "NIKON CORPORATION");
    EXPECT_EQ(ctl(kModel).items, (Names{"All", "NIKON D50", "NIKON D70"}));
    EXPECT_EQ(criteria().model, "All");
    EXPECT_EQ(film(), (Names{"b-d70.jpg", "e-d70.jpg"}));
    choose(kModel, "NIKON D50");
    EXPECT_EQ(criteria().camera, "NIKON CORPORATION");
    EXPECT_EQ(criteria().model, "NIKON D50");
    EXPECT_EQ(film(), Names{"e-d70.jpg"});

    // Reset filters keeps camera and model and shows the model chosen.
    filter().onCommand(F::kResetFilters);
    EXPECT_EQ(selected(kCamera), "NIKON CORPORATION");
    EXPECT_EQ(selected(kModel), "NIKON D50");
    EXPECT_EQ(criteria().model, "NIKON D50");
    EXPECT_EQ(film(), Names{"e-d70.jpg"});
}

TEST_F(AdvancedFilterTest, ResetFiltersClearsTheBoundsButNotTheCamera) {
    openFilter();
    tick(F::kEnable, true);
    choose(kCamera, "NIKON");
    tick(F::kLiveUpdate, false);
    choose(kIsoMax, "64");
    ASSERT_EQ(criteria().isoMax, 64);
    filter().onCommand(F::kResetFilters);
    EXPECT_EQ(criteria().isoMax, 0);
    EXPECT_EQ(criteria().isoMin, 0);
    EXPECT_EQ(criteria().flashChoice, -1);
    EXPECT_EQ(criteria().camera, "NIKON");
    EXPECT_EQ(criteria().model, "COOLPIX P6000");
    EXPECT_EQ(selected(kCamera), "NIKON");
    EXPECT_EQ(selected(kModel), "COOLPIX P6000");
    EXPECT_EQ(film(), Names{"d-nikon.jpg"});
    // The lists are rebuilt from the film that passes: the nikon's alone.
    EXPECT_EQ(ctl(kIsoMax).items, Names{"64"});
}

TEST_F(AdvancedFilterTest, ResetButtonRefillsItsListFromTheWholeFilmAndTheCameraToAll) {
    CAdvancedFilter& f = openFilter();
    tick(F::kEnable, true);
    choose(kIsoMax, "100");
    choose(kIsoMin, "100");
    choose(kCamera, "Canon");
    ASSERT_EQ(film(), Names{"c-canon.jpg"});
    choose(kSizeMax, "100 x 68");
    choose(kSizeMin, "100 x 68");
    ASSERT_EQ(ctl(kIsoMax).items, Names{"100"});

    filter().onCommand(kIsoReset);
    EXPECT_EQ(criteria().isoMax, 0);
    EXPECT_EQ(criteria().isoMin, 0);
    EXPECT_EQ(criteria().enabled, 1);
    // Every reset button also puts the camera back to "All".
    EXPECT_EQ(criteria().camera, "All");
    EXPECT_EQ(criteria().model, "");
    EXPECT_EQ(selected(kCamera), "All");
    EXPECT_FALSE(ctl(kModel).enabled);
    // ISO offers every picture's value again, the others what still passes.
    EXPECT_EQ(ctl(kIsoMax).items, kIsoTexts);
    EXPECT_EQ(selected(kIsoMax), "200");
    EXPECT_EQ(f.indicator(Criterion::Iso), kIndicatorActive);
    // Only the width is compared, so the d70 of 100 x 66 is back with the canon.
    EXPECT_EQ(film(), (Names{"b-d70.jpg", "c-canon.jpg"}));
    EXPECT_EQ(ctl(kFocalMax).items, (Names{"135.0mm", "100.0mm"}));
    EXPECT_EQ(ctl(kCamera).items, (Names{"All", "NIKON CORPORATION", "Canon"}));
    EXPECT_EQ(criteria().widthMax, 100);

    // The camera's own button brings back every make.
    filter().onCommand(kCameraReset);
    EXPECT_EQ(ctl(kCamera).items.size(), 5u);
}

TEST_F(AdvancedFilterTest, ClearingABoxKeepsItsBoundsAndLetsThePicturesBack) {
    CAdvancedFilter& f = openFilter();
    tick(F::kEnable, true);
    choose(kFocalMax, "24.0mm");
    ASSERT_EQ(film(), (Names{"a-fuji.jpg", "d-nikon.jpg"}));
    tick(kFocalBox, false);
    EXPECT_EQ(criteria().useFlag(Criterion::FocalLength), 0);
    EXPECT_FLOAT_EQ(criteria().focalLengthMax, 24.0f);
    EXPECT_EQ(film(), kAllPictures);
    EXPECT_FALSE(ctl(kFocalMax).enabled);
    EXPECT_TRUE(ctl(kFocalMax).items.empty());
    EXPECT_EQ(f.indicator(Criterion::FocalLength), kIndicatorOff);

    tick(kFocalBox, true);
    EXPECT_EQ(criteria().useFlag(Criterion::FocalLength), 1);
    EXPECT_EQ(selected(kFocalMax), "24.0mm");
    EXPECT_EQ(film(), (Names{"a-fuji.jpg", "d-nikon.jpg"}));
    EXPECT_EQ(f.indicator(Criterion::FocalLength), kIndicatorChosen);
}

TEST_F(AdvancedFilterTest, TickingACriterionSwitchesFilteringOnAtOnce) {
    // An album whose flash box was stored on while filtering is off.
    Album& album = existingAlbum();
    album.filter.useFlag(Criterion::Flash) = 1;
    album.filter.flashChoice = 1;
    openEditAlbum();
    openFilter();
    ASSERT_TRUE(ctl(kFlashBox).checked);
    ASSERT_TRUE(ctl(kFlashBox).enabled);
    EXPECT_EQ(selected(kFlash), "Yes");
    tick(kFlashBox, false);
    EXPECT_EQ(film(), kAllPictures);
    tick(kFlashBox, true);
    EXPECT_TRUE(ctl(F::kEnable).checked);
    EXPECT_EQ(criteria().enabled, 1);
    EXPECT_EQ(selected(kFlash), "Yes");
    EXPECT_EQ(film(), Names{"c-canon.jpg"});
}

TEST_F(AdvancedFilterTest, ClosingStoresTheBoxesAndTheFilmStopsFiltering) {
    openFilter();
    tick(F::kEnable, true);
    choose(kIsoMax, "64");
    ASSERT_EQ(film(), Names{"d-nikon.jpg"});
    filter().onCommand(F::kClose);
    EXPECT_EQ(window->advancedFilter(), nullptr);
    const FilterCriteria& stored = criteria();
    EXPECT_EQ(stored.enabled, 1);
    EXPECT_EQ(stored.liveUpdate, 1);
    EXPECT_EQ(stored.useFlag(Criterion::Iso), 1);
    EXPECT_EQ(stored.useFlag(Criterion::Whitebalance), 0);
    EXPECT_EQ(stored.isoMax, 64);

    // The film admits every picture of the range at once, whatever the criteria.
    EXPECT_EQ(film(), kAllPictures);
    window->control(W::kFilm).selection = -1;
    window->onCommand(W::kSetStart);
    EXPECT_EQ(film(), kAllPictures);
    EXPECT_EQ(criteria().isoMax, 64);

    // Opened again, it starts from what the album holds.
    openFilter();
    EXPECT_TRUE(ctl(kIsoBox).checked);
    EXPECT_EQ(host.modelessShown.size(), 2u);
}

TEST_F(AdvancedFilterTest, SaveStoresTheBoxesOfTheOpenWindowDiscardDoesNot) {
    openFilter();
    tick(F::kEnable, true);  // the boxes tick on screen only
    ASSERT_EQ(criteria().useFlag(Criterion::Iso), 0);
    window->onCommand(W::kSave);
    ASSERT_EQ(window->result(), W::kResultSave);
    EXPECT_EQ(window->advancedFilter(), nullptr);
    EXPECT_EQ(criteria().useFlag(Criterion::Iso), 1);
    EXPECT_EQ(criteria().useFlag(Criterion::FocusDistance), 0);
}

TEST_F(AdvancedFilterTest, DiscardLeavesTheStoredBoxesAlone) {
    CAdvancedFilter& f = openFilter();
    tick(F::kEnable, true);
    choose(kIsoMax, "100");
    window->onCommand(W::kDiscard);
    EXPECT_EQ(window->advancedFilter(), nullptr);
    EXPECT_TRUE(f.isClosed());
    EXPECT_EQ(criteria().useFlag(Criterion::Iso), 0);
    // Input that reaches the closed window changes nothing.
    f.onCommand(F::kResetFilters);
    EXPECT_EQ(criteria().isoMax, 100);
}

TEST_F(AdvancedFilterTest, ExistingAlbumShowsItsChosenValues) {
    Album& album = existingAlbum();
    album.filter.enabled = 1;
    album.filter.isoMax = 100;
    album.filter.isoMin = 64;
    album.filter.useFlag(Criterion::Iso) = 1;
    openEditAlbum();
    ASSERT_EQ(film(), kAllPictures);  // no filter while the window is closed
    CAdvancedFilter& f = openFilter();
    EXPECT_TRUE(ctl(F::kEnable).checked);
    EXPECT_TRUE(ctl(kIsoBox).checked);
    EXPECT_EQ(f.indicator(Criterion::Iso), kIndicatorChosen);
    EXPECT_TRUE(ctl(kFocalBox).checked);
    EXPECT_EQ(f.indicator(Criterion::FocalLength), kIndicatorActive);
    EXPECT_EQ(f.indicator(Criterion::Whitebalance), kIndicatorOff);
    EXPECT_EQ(selected(kIsoMax), "100");
    EXPECT_EQ(ctl(kIsoMin).items, (Names{"100", "64"}));
    EXPECT_EQ(selected(kIsoMin), "64");
    // The first rebuild with the window open applies the stored range.
    choose(kFlash, "All");
    EXPECT_EQ(film(), (Names{"a-fuji.jpg", "c-canon.jpg", "d-nikon.jpg"}));
}

TEST_F(AdvancedFilterTest, ExistingAlbumWithFilteringOffKeepsItsBoxesAndIndicators) {
    Album& album = existingAlbum();
    album.filter.useFlag(Criterion::Iso) = 1;
    openEditAlbum();
    CAdvancedFilter& f = openFilter();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(ctl(kIsoBox).checked);
    EXPECT_TRUE(ctl(kIsoBox).enabled);
    EXPECT_EQ(ctl(kIsoMax).items, kIsoTexts);
    EXPECT_EQ(f.indicator(Criterion::Iso), kIndicatorUnset);
    EXPECT_FALSE(ctl(kFocalBox).checked);
    EXPECT_EQ(f.indicator(Criterion::FocalLength), kIndicatorOff);
}

TEST_F(AdvancedFilterTest, AFilmWithoutPicturesIsReportedAndTheChoicesStay) {
    openFilter();
    tick(F::kEnable, true);
    tick(F::kLiveUpdate, false);
    choose(kSizeMax, "640 x 480");
    choose(kSizeMin, "640 x 480");
    choose(kIsoMax, "200");
    choose(kIsoMin, "200");
    ASSERT_TRUE(film().empty());
    ASSERT_TRUE(host.messages.empty());
    tick(F::kLiveUpdate, true);
    choose(kIsoMin, "100");  // still no picture of 640 x 480 at ISO 100 to 200
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "No picture to display.Please try other filter settings.");
    EXPECT_EQ(host.messages[0].caption, "Dezoredu");
    EXPECT_EQ(host.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(ctl(kFocalMax).items, kFocalTexts);
    EXPECT_EQ(window->control(W::kStatus).text, "New Album:Pictures in album: None.");
}

}  // namespace
}  // namespace dz::test
