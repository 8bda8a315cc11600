#include "filter/ValueLists.h"

#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dz {
namespace {

constexpr std::int32_t kAlbum = 2;

PictureRecord picture(const std::function<void(ExifInfo&)>& set, std::int32_t albumId = kAlbum) {
    PictureRecord record;
    record.block = std::make_shared<PictureBlock>();
    record.albumId = albumId;
    set(record.exif());
    return record;
}

std::vector<std::string> rangeTexts(const ValueLists& lists, ValueList list) {
    std::vector<std::string> texts;
    for (const RangeEntry& e : lists.rangeEntries(list)) {
        texts.push_back(e.text);
    }
    return texts;
}

std::vector<std::pair<std::string, std::int32_t>> choices(const ValueLists& lists, ValueList list) {
    std::vector<std::pair<std::string, std::int32_t>> entries;
    for (const ChoiceEntry& e : lists.choiceEntries(list)) {
        entries.emplace_back(e.text, e.code);
    }
    return entries;
}

ValueLists rebuilt(const std::vector<PictureRecord>& film) {
    ValueLists lists;
    EXPECT_EQ(lists.rebuild(film, kAlbum), RebuildOutcome::Rebuilt);
    return lists;
}

struct OrderCase {
    ValueList list;
    std::vector<std::function<void(ExifInfo&)>> pictures;
    std::vector<std::string> texts;
};

TEST(ValueLists, RangeListsAreDistinctByTextAndOrderedByValue) {
    const std::vector<OrderCase> cases = {
        {ValueList::Size,
         {[](ExifInfo& p) { p.width = 3000, p.height = 2000; }, [](ExifInfo& p) { p.width = 4000, p.height = 3000; },
          [](ExifInfo& p) { p.width = 3000, p.height = 2000; }, [](ExifInfo& p) { p.width = 3000, p.height = 1688; }},
         {"4000 x 3000", "3000 x 2000", "3000 x 1688"}},
        {ValueList::FocalLength,
         {[](ExifInfo& p) { p.focalLength = 50; }, [](ExifInfo& p) { p.focalLength = 0; },
          [](ExifInfo& p) { p.focalLength = 200; }, [](ExifInfo& p) { p.focalLength = 18; }},
         {"200.0mm", "50.0mm", "18.0mm"}},
        {ValueList::Aperture,
         {[](ExifInfo& p) { p.apertureFNumber = 5.6f; }, [](ExifInfo& p) { p.apertureFNumber = 2.8f; },
          [](ExifInfo& p) { p.apertureFNumber = 11; }},
         {"f/2.8", "f/5.6", "f/11.0"}},
        {ValueList::ExposureTime,
         {[](ExifInfo& p) { p.exposureTime = 1.0f / 125; }, [](ExifInfo& p) { p.exposureTime = 2; }},
         {" 2.000s", "(1/125)~ 0.008s"}},
        {ValueList::Iso, {[](ExifInfo& p) { p.isoEquivalent = 100; }, [](ExifInfo& p) { p.isoEquivalent = 800; }},
         {"800", "100"}},
        {ValueList::FocusDistance,
         {[](ExifInfo& p) { p.focusDistance = -1; }, [](ExifInfo& p) { p.focusDistance = 2.5f; }},
         {"2.50m", "Infinite"}},
        {ValueList::ExposureBias,
         {[](ExifInfo& p) { p.exposureBias = -1; }, [](ExifInfo& p) { p.exposureBias = 0.33f; }},
         {"0.33", "-1.00"}},
        {ValueList::Resolution,
         {[](ExifInfo& p) { p.xResolution = 72, p.yResolution = 72; },
          [](ExifInfo& p) { p.xResolution = 300, p.yResolution = 300; }},
         {"300.0,300.0", " 72.0, 72.0"}},
    };
    for (const OrderCase& c : cases) {
        std::vector<PictureRecord> film;
        for (const auto& set : c.pictures) {
            film.push_back(picture(set));
        }
        EXPECT_EQ(rangeTexts(rebuilt(film), c.list), c.texts) << static_cast<int>(c.list);
    }
}

TEST(ValueLists, EqualSortKeysKeepFilmOrder) {
    const auto wide = [](ExifInfo& p) { p.width = 3000, p.height = 2000; };
    const auto narrow = [](ExifInfo& p) { p.width = 3000, p.height = 1688; };
    EXPECT_EQ(rangeTexts(rebuilt({picture(narrow), picture(wide)}), ValueList::Size),
              (std::vector<std::string>{"3000 x 1688", "3000 x 2000"}));
    EXPECT_EQ(rangeTexts(rebuilt({picture(wide), picture(narrow)}), ValueList::Size),
              (std::vector<std::string>{"3000 x 2000", "3000 x 1688"}));
}

TEST(ValueLists, EntriesKeepTheirNumbers) {
    const ValueLists lists = rebuilt({picture([](ExifInfo& p) {
        p.width = 3000, p.height = 1688, p.xResolution = 72.5f, p.yResolution = 180.9f;
    })});
    const RangeEntry& size = lists.rangeEntries(ValueList::Size).at(0);
    EXPECT_EQ(size.value, 3000);
    EXPECT_EQ(size.second, 1688);
    const RangeEntry& resolution = lists.rangeEntries(ValueList::Resolution).at(0);
    EXPECT_EQ(resolution.text, " 72.5,180.9");
    EXPECT_EQ(resolution.value, 72);
    EXPECT_EQ(resolution.second, 180);
}

TEST(ValueLists, ResolutionBoundsFromTheEntryRejectItsOwnPicture) {
    const PictureRecord p = picture([](ExifInfo& e) { e.xResolution = 72.5f, e.yResolution = 72.5f; });
    const RangeEntry entry = rebuilt({p}).rangeEntries(ValueList::Resolution).at(0);
    FilterCriteria criteria;
    criteria.enabled = 1;
    criteria.resolutionMax = static_cast<float>(entry.value);
    criteria.resolutionMin = static_cast<float>(entry.value);
    UseFlags shown{};
    shown[static_cast<std::size_t>(Criterion::Resolution)] = true;
    EXPECT_FALSE(picturePassesFilter(criteria, shown, p.exif(), nullptr));
}

TEST(ValueLists, ChoiceListsStartWithAllAndRunByCode) {
    const ValueLists lists = rebuilt({
        picture([](ExifInfo& p) { p.flashUsed = 1, p.meteringMode = 9, p.exposureProgram = 9, p.whitebalance = 2; }),
        picture([](ExifInfo& p) { p.meteringMode = 10, p.exposureProgram = 3, p.whitebalance = -5; }),
        picture([](ExifInfo& p) { p.meteringMode = 5, p.exposureProgram = 9, p.whitebalance = 2; }),
        picture([](ExifInfo& p) { p.flashUsed = 1, p.meteringMode = 0, p.exposureProgram = 0, p.whitebalance = 0; }),
    });
    using Entries = std::vector<std::pair<std::string, std::int32_t>>;
    EXPECT_EQ(choices(lists, ValueList::Flash), (Entries{{"All", -1}, {"No", 0}, {"Yes", 1}}));
    EXPECT_EQ(choices(lists, ValueList::Metering),
              (Entries{{"All", -1}, {"matrix", 5}, {"unkown", 9}, {"unkown", 10}}));
    EXPECT_EQ(choices(lists, ValueList::Program),
              (Entries{{"All", -1}, {"aperture priority (semi-auto)", 3}, {"unkown", 9}}));
    // "All" stays ahead of a negative code.
    EXPECT_EQ(choices(lists, ValueList::Whitebalance), (Entries{{"All", -1}, {"cloudy", -5}, {"fluorescent", 2}}));
}

TEST(ValueLists, ZeroValuesGiveNoEntries) {
    const ValueLists lists = rebuilt({picture([](ExifInfo&) {})});
    for (ValueList list : {ValueList::FocalLength, ValueList::Resolution, ValueList::ExposureTime, ValueList::Aperture,
                           ValueList::Iso, ValueList::FocusDistance, ValueList::ExposureBias, ValueList::Metering,
                           ValueList::Program, ValueList::Whitebalance}) {
        EXPECT_TRUE(lists.isEmpty(list)) << static_cast<int>(list);
    }
    EXPECT_EQ(rangeTexts(lists, ValueList::Size), std::vector<std::string>{"0 x 0"});
    EXPECT_EQ(choices(lists, ValueList::Flash).size(), 2u);
}

TEST(ValueLists, CameraListHoldsMakesInOrderAndTheirModelsAlphabetically) {
    const auto camera = [](const char* make, const char* model) {
        return picture([=](ExifInfo& p) { p.cameraMake = make, p.cameraModel = model; });
    };
    const ValueLists lists = rebuilt({camera("Canon", "EOS 300D"), camera("Nikon", "D70"), camera("Canon", "eos 20D"),
                                      camera("Canon", "EOS 10D"), camera("Canon", "EOS 300D"), camera("Nikon", "D70")});
    ASSERT_EQ(lists.cameras().size(), 3u);
    EXPECT_EQ(lists.cameras()[0].make, "All");
    EXPECT_EQ(lists.cameras()[1].make, "Canon");
    EXPECT_EQ(lists.cameras()[2].make, "Nikon");
    EXPECT_EQ(lists.findCamera("Canon")->models,
              (std::vector<std::string>{"All", "EOS 10D", "eos 20D", "EOS 300D"}));
    EXPECT_EQ(lists.findCamera("Nikon")->models, std::vector<std::string>{"D70"});
    EXPECT_EQ(lists.findCamera("Olympus"), nullptr);
}

TEST(ValueLists, UsesEveryPictureFromTheAlbumsFirstOn) {
    const auto focal = [](float mm, std::int32_t album) {
        return picture([=](ExifInfo& p) { p.focalLength = mm; }, album);
    };
    const ValueLists lists = rebuilt({focal(18, 0), focal(50, kAlbum), focal(200, 0), focal(85, 3)});
    EXPECT_EQ(rangeTexts(lists, ValueList::FocalLength), (std::vector<std::string>{"200.0mm", "85.0mm", "50.0mm"}));
}

TEST(ValueLists, StayEmptyWhenNoPictureIsInTheAlbum) {
    ValueLists lists;
    EXPECT_EQ(lists.rebuild({picture([](ExifInfo& p) { p.cameraMake = "Canon"; }, 0)}, kAlbum),
              RebuildOutcome::Rebuilt);
    for (std::size_t i = 0; i < kValueListCount; ++i) {
        EXPECT_TRUE(lists.isEmpty(static_cast<ValueList>(i))) << i;
    }
    EXPECT_EQ(lists.cameras().size(), 1u);
}

TEST(ValueLists, EmptyFilmRebuildsNothing) {
    ValueLists lists = rebuilt({picture([](ExifInfo& p) { p.isoEquivalent = 100, p.cameraMake = "Canon"; })});
    EXPECT_EQ(lists.rebuild({}, kAlbum), RebuildOutcome::NoPictures);
    EXPECT_EQ(rangeTexts(lists, ValueList::Iso), std::vector<std::string>{"100"});
    EXPECT_NE(lists.findCamera("Canon"), nullptr);
}

TEST(ValueLists, LockedListsKeepTheirEntries) {
    const auto shot = [](std::int32_t iso, float mm, const char* make) {
        return picture([=](ExifInfo& p) { p.isoEquivalent = iso, p.focalLength = mm, p.cameraMake = make; });
    };
    ValueLists lists = rebuilt({shot(100, 50, "Canon")});
    lists.lock(ValueList::Iso);
    lists.lock(ValueList::Camera);
    EXPECT_EQ(lists.rebuild({shot(400, 85, "Nikon")}, kAlbum), RebuildOutcome::Rebuilt);
    EXPECT_EQ(rangeTexts(lists, ValueList::Iso), std::vector<std::string>{"100"});
    EXPECT_EQ(rangeTexts(lists, ValueList::FocalLength), std::vector<std::string>{"85.0mm"});
    EXPECT_NE(lists.findCamera("Canon"), nullptr);
    EXPECT_EQ(lists.findCamera("Nikon"), nullptr);

    lists.unlockAll();
    lists.lockAll();
    lists.clear();
    EXPECT_TRUE(lists.isEmpty(ValueList::Iso));
    EXPECT_TRUE(lists.cameras().empty());
    EXPECT_FALSE(lists.isLocked(ValueList::Iso));
}

}  // namespace
}  // namespace dz
