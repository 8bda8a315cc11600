#include "albums/CManualTime.h"
#include "albums/CViewPhoto.h"
#include "albums/LocalDateTime.h"
#include "catalogue/PictureTimeStamp.h"

#include "FilmFixture.h"

#include <algorithm>
#include <functional>

namespace dz::test {
namespace {

using W = CViewPhoto;
using M = CManualTime;

constexpr std::int64_t kTicksPerHour = 36000000000LL;

// ---- The conversion between time values and the pickers' local time ----

struct StampCase {
    const char* exif;
    int bias;
    LocalDateTime local;
};

// The pickers must show the wall-clock time a picture's key was made from,
// whatever the season, so the key the picker gives back is the picture's.
TEST(LocalDateTimeTest, PickersShowTheTimeAShotKeyWasMadeFromAndGiveTheKeyBack) {
    const StampCase cases[] = {
        {"2006:05:14 14:05:09", -60, {2006, 5, 14, 14, 5, 9}},
        {"2006:05:14 14:05:09", -120, {2006, 5, 14, 14, 5, 9}},
        {"2006:05:14 01:01:01", 300, {2006, 5, 14, 1, 1, 1}},
        {"2008:02:29 23:59:59", -60, {2008, 2, 29, 23, 59, 59}},
        {"2000:03:01 01:01:01", 0, {2000, 3, 1, 1, 1, 1}},
        // The hour that daylight saving skips, and the one it repeats.
        {"2006:03:26 02:30:15", -60, {2006, 3, 26, 2, 30, 15}},
        {"2006:10:29 02:30:15", -120, {2006, 10, 29, 2, 30, 15}},
        {"1601:01:02 01:01:01", -60, {1601, 1, 2, 1, 1, 1}},
        {"9999:12:31 23:59:59", -60, {9999, 12, 31, 23, 59, 59}},
    };
    for (const StampCase& c : cases) {
        SCOPED_TRACE(c.exif);
        const std::int64_t key = pictureTimeStamp(c.exif, c.bias);
        EXPECT_EQ(localDateTimeOf(key, c.bias), c.local);
        EXPECT_EQ(timeValueOf(c.local, c.bias), key);
    }
    // Parts of a second are dropped, not rounded.
    EXPECT_EQ(localDateTimeOf(pictureTimeStamp("2006:05:14 14:05:09", 0) + 9999999, 0),
              (LocalDateTime{2006, 5, 14, 14, 5, 9}));
    // Times before 1970 and a negative value need floor division.
    EXPECT_EQ(localDateTimeOf(pictureTimeStamp("1969:12:31 23:59:59", 0), 0), (LocalDateTime{1969, 12, 31, 23, 59, 59}));
    EXPECT_EQ(localDateTimeOf(-1, 0), (LocalDateTime{1600, 12, 31, 23, 59, 59}));
}

TEST(LocalDateTimeTest, OnlyRealTimesTheScaleHoldsGiveAValue) {
    EXPECT_EQ(timeValueOf({1601, 1, 1, 0, 0, 1}, 0), 10000000);
    // 0 would read as "not set".
    EXPECT_EQ(timeValueOf({1601, 1, 1, 0, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({1601, 1, 1, 0, 30, 0}, -60), std::nullopt);
    EXPECT_NE(timeValueOf({30827, 12, 31, 23, 59, 59}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({30827, 12, 31, 23, 59, 59}, 60), std::nullopt);
    EXPECT_EQ(timeValueOf({2007, 2, 29, 12, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({1900, 2, 29, 12, 0, 0}, 0), std::nullopt);
    EXPECT_NE(timeValueOf({2000, 2, 29, 12, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({2006, 4, 31, 12, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({2006, 13, 1, 12, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({2006, 1, 0, 12, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({2006, 1, 1, 24, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({2006, 1, 1, 12, 60, 0}, 0), std::nullopt);
    EXPECT_EQ(timeValueOf({2006, 1, 1, 12, 0, -1}, 0), std::nullopt);
}

TEST(LocalDateTimeTest, PickerTexts) {
    const LocalDateTime t{2006, 5, 4, 3, 2, 1};
    EXPECT_EQ(pickerDateText(t), "2006-05-04");
    EXPECT_EQ(pickerTimeText(t), "03:02:01");
    EXPECT_EQ(readPickers("2006-05-04", "03:02:01"), t);
    EXPECT_EQ(readPickers("30827-12-31", "23:59:59"), (LocalDateTime{30827, 12, 31, 23, 59, 59}));
    for (const auto& [date, time] : std::vector<std::pair<std::string, std::string>>{
             {"", "03:02:01"}, {"2006-05-04", ""}, {"2006-05", "03:02:01"}, {"2006-05-04-1", "03:02:01"},
             {"2006/05/04", "03:02:01"}, {" 2006-05-04", "03:02:01"}, {"2006--04", "03:02:01"},
             {"2006-05-04", "03:02"}, {"2006-05-04", "3:02:01:00"}, {"2006-05-04", "123:02:01"},
             {"2006-02-30", "03:02:01"}, {"2006-05-04", "03:60:01"}, {"2006-05-04", "03:02:0x"},
             {"123456-01-01", "03:02:01"}}) {
        EXPECT_EQ(readPickers(date, time), std::nullopt) << date << " " << time;
    }
}

// ---- The window over the Edit Album window and a film of real pictures ----

// The three pictures in date order: fuji (2006), canon (May 2008), nikon (October 2008).
class ManualTimeTest : public FilmTest {
protected:
    void putDefaultPictures() {
        put("b-nikon.jpg", kNikon);
        put("a-canon.jpg", kCanon);
        put("c-fuji.jpg", "fujifilm-e500-big-endian.jpg");
        scan();
    }

    // The nikon picture, shot at `exifTime` instead of its own time. Keep the
    // minutes and seconds off zero: the time stamp rule raises a zero field
    // to 1, and the key would no longer be the typed time.
    void putShotAt(const std::string& name, const std::string& exifTime) {
        std::string bytes = readTestData(kNikon);
        const std::string own = "2008:10:22 16:28:39";
        for (std::size_t at = bytes.find(own); at != std::string::npos; at = bytes.find(own, at)) {
            bytes.replace(at, own.size(), exifTime);
        }
        putBytes(name, bytes);
    }

    CViewPhoto& open() {
        window = std::make_unique<CViewPhoto>(ws);
        window->onInit();
        if (!window->hasEnded()) {
            window->onShown();
        }
        return *window;
    }

    // File > Manual time range, with `script` run inside the window.
    void manual(std::function<void(Window&)> script) {
        host.onModal("CManualTime", std::move(script));
        window->onCommand(W::kMenuManualRange);
    }

    // What the four pickers show when the window opens.
    std::vector<std::string> pickersOnOpening() {
        std::vector<std::string> shown;
        manual([&](Window& m) {
            for (int id : {M::kStartDate, M::kStartTime, M::kEndDate, M::kEndTime}) {
                shown.push_back(m.control(id).text);
            }
            m.onCommand(M::kCancel);
        });
        return shown;
    }

    // Sets the four pickers and presses OK.
    void choose(const std::string& startDate, const std::string& startTime, const std::string& endDate,
                const std::string& endTime) {
        manual([&](Window& m) {
            m.control(M::kStartDate).text = startDate;
            m.control(M::kStartTime).text = startTime;
            m.control(M::kEndDate).text = endDate;
            m.control(M::kEndTime).text = endTime;
            m.onCommand(M::kOk);
            EXPECT_TRUE(m.hasEnded());
        });
    }

    std::uint64_t keyOf(const std::string& name) { return pictureShotKey(record(name), ws.biasMinutes); }

    std::unique_ptr<CViewPhoto> window;
};

TEST_F(ManualTimeTest, OpensOnTheRangeAndOkWithoutChangesKeepsIt) {
    putDefaultPictures();
    Album& album = newAlbum();
    CViewPhoto& w = open();
    ASSERT_TRUE(w.control(W::kMenuManualRange).enabled);
    const std::uint64_t start = album.startKey;
    const std::uint64_t end = album.endKey;
    manual([](Window& m) {
        EXPECT_EQ(m.title(), "Manual Time Range Settings");
        EXPECT_EQ(m.control(M::kStartGroup).text, "Start Date/Time");
        EXPECT_EQ(m.control(M::kEndGroup).text, "End Date/Time");
        EXPECT_EQ(m.control(M::kTo).text, "to");
        EXPECT_EQ(m.control(M::kOk).text, "OK");
        EXPECT_EQ(m.control(M::kCancel).text, "Cancel");
        EXPECT_EQ(m.control(M::kStartDate).text, "2006-08-17");
        EXPECT_EQ(m.control(M::kStartTime).text, "09:24:48");
        EXPECT_EQ(m.control(M::kEndDate).text, "2008-10-22");
        EXPECT_EQ(m.control(M::kEndTime).text, "16:28:39");
        m.onHelp();
        m.onCommand(M::kOk);
        EXPECT_EQ(m.result(), kResultOk);
    });
    EXPECT_EQ(host.modalRuns, std::vector<std::string>{"CManualTime"});
    EXPECT_EQ(album.startKey, start);
    EXPECT_EQ(album.endKey, end);
    EXPECT_EQ(album.startTime, start);
    EXPECT_EQ(album.endTime, end);
    EXPECT_TRUE(w.control(W::kClearStart).enabled);
    EXPECT_TRUE(w.control(W::kClearEnd).enabled);
    EXPECT_EQ(w.control(W::kFilm).itemLabels().size(), 3u);
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 3 pictures in album.");
    ASSERT_EQ(host.helpRequests.size(), 1u);
    EXPECT_EQ(host.helpRequests[0].topic, 16);
    EXPECT_EQ(host.helpRequests[0].file, "DEZOREDU.HLP");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ManualTimeTest, OkStoresTheChosenEndsShowsThemAndRebuildsTheFilm) {
    putDefaultPictures();
    Album& album = newAlbum();
    CViewPhoto& w = open();
    // Only the canon's own time is typed for the end: it lies in the album, the nikon leaves it.
    choose("2006-08-17", "09:24:48", "2008-05-30", "15:56:01");
    EXPECT_EQ(album.startKey, keyOf("c-fuji.jpg"));
    EXPECT_EQ(album.endKey, keyOf("a-canon.jpg"));
    EXPECT_EQ(album.endTime, album.endKey);
    EXPECT_EQ(w.control(W::kEndText).text, "[2008-05-30] [15 56 01]");
    EXPECT_EQ(w.control(W::kStartText).text, "[2006-08-17] [09 24 48]");
    EXPECT_TRUE(w.control(W::kClearStart).enabled);
    EXPECT_TRUE(w.control(W::kClearEnd).enabled);
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 2u);
    EXPECT_EQ(w.control(W::kFilm).itemLabels()[1].substr(0, 10), "2.a-canon.");
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 2 pictures in album.");
    EXPECT_EQ(album.pictureCount, 2);
    EXPECT_EQ(w.control(W::kTopLine).text,
              "1 Album containing: 2 pictures. Remaining to add: 1 picture from a total of 3 pictures.");

    // A second later the canon is out too; opening again shows what was typed.
    choose("2008-05-30", "15:56:02", "2008-10-22", "16:28:39");
    EXPECT_EQ(album.startKey, keyOf("a-canon.jpg") + 10000000u);
    EXPECT_EQ(pickersOnOpening(), (std::vector<std::string>{"2008-05-30", "15:56:02", "2008-10-22", "16:28:39"}));
    // The rebuild starts from the catalogue: the nikon, off the film before, is back in.
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 1 picture in album.");
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 1u);
    EXPECT_EQ(w.control(W::kFilm).itemLabels()[0].substr(0, 10), "1.b-nikon.");
}

TEST_F(ManualTimeTest, StartAfterEndIsKeptAndTheAlbumHoldsNoPicture) {
    putDefaultPictures();
    Album& album = newAlbum();
    CViewPhoto& w = open();
    choose("2008-10-22", "16:28:39", "2006-08-17", "09:24:48");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(album.startKey, keyOf("b-nikon.jpg"));
    EXPECT_EQ(album.endKey, keyOf("c-fuji.jpg"));
    EXPECT_GT(album.startKey, album.endKey);
    EXPECT_TRUE(w.control(W::kFilm).itemLabels().empty());
    EXPECT_EQ(w.control(W::kStatus).text, "New Album:Pictures in album: None.");
    EXPECT_EQ(album.pictureCount, 0);
    EXPECT_EQ(pickersOnOpening(), (std::vector<std::string>{"2008-10-22", "16:28:39", "2006-08-17", "09:24:48"}));
}

TEST_F(ManualTimeTest, CancelAndEscChangeNothing) {
    putDefaultPictures();
    Album& album = newAlbum();
    CViewPhoto& w = open();
    const Album before = album;
    const auto items = w.control(W::kFilm).itemLabels();
    for (bool esc : {false, true}) {
        manual([esc](Window& m) {
            m.control(M::kStartDate).text = "2008-01-01";
            m.control(M::kEndTime).text = "00:00:00";
            if (esc) {
                m.onCancel();
            } else {
                m.onCommand(M::kCancel);
            }
            EXPECT_EQ(m.result(), kResultCancel);
        });
        EXPECT_EQ(album.startTime, before.startTime);
        EXPECT_EQ(album.startKey, before.startKey);
        EXPECT_EQ(album.endTime, before.endTime);
        EXPECT_EQ(album.endKey, before.endKey);
        EXPECT_FALSE(w.control(W::kClearStart).enabled);
        EXPECT_FALSE(w.control(W::kClearEnd).enabled);
        EXPECT_EQ(w.control(W::kFilm).itemLabels(), items);
    }
}

TEST_F(ManualTimeTest, APickerWithoutAValidTimeKeepsTheWindowOpen) {
    putDefaultPictures();
    Album& album = newAlbum();
    open();
    const std::uint64_t start = album.startKey;
    manual([&](Window& m) {
        m.control(M::kStartDate).text = "2007-02-29";
        m.onCommand(M::kOk);
        EXPECT_FALSE(m.hasEnded());
        EXPECT_EQ(album.startKey, start);
        m.control(M::kStartDate).text = "2007-02-28";
        m.control(M::kEndTime).text = "16:28";
        m.onCommand(M::kOk);
        EXPECT_FALSE(m.hasEnded());
        m.control(M::kEndTime).text = "16:28:00";
        m.onCommand(M::kOk);
        EXPECT_TRUE(m.hasEnded());
    });
    EXPECT_EQ(album.startKey, static_cast<std::uint64_t>(timeValueOf({2007, 2, 28, 9, 24, 48}, ws.biasMinutes).value()));
    EXPECT_EQ(album.endKey, keyOf("b-nikon.jpg") - 39 * 10000000u);
}

struct OneEndCase {
    const char* name;
    bool clearStart;
    bool clearEnd;
    std::vector<std::string> shown;
    int pictures;  // in the album after OK without changes
};

class OneEndTest : public ManualTimeTest, public ::testing::WithParamInterface<OneEndCase> {};

// An end the album has set opens on itself; an open end on the film's first
// or last picture. The album starts on the canon, the film's middle picture,
// so a start shown from the film would differ.
TEST_P(OneEndTest, SetEndsShowThemselvesOpenEndsTheFilm) {
    const OneEndCase& c = GetParam();
    putDefaultPictures();
    Album& album = newAlbum();
    CViewPhoto& w = open();
    w.control(W::kFilm).selection = 1;
    w.onCommand(W::kSetStart);
    ASSERT_EQ(album.startKey, keyOf("a-canon.jpg"));
    w.control(W::kFilm).selection = 0;  // the film now starts on the canon
    w.onCommand(W::kSetEnd);
    ASSERT_EQ(album.endKey, keyOf("a-canon.jpg"));
    if (c.clearStart) {
        w.onCommand(W::kClearStart);
    }
    if (c.clearEnd) {
        w.onCommand(W::kClearEnd);
    }
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), c.clearStart || c.clearEnd ? 3u : 1u);
    EXPECT_EQ(pickersOnOpening(), c.shown);
    manual([](Window& m) { m.onCommand(M::kOk); });
    EXPECT_TRUE(album.hasBothKeys());
    EXPECT_EQ(album.pictureCount, c.pictures);
    std::string startTime = c.shown[1];
    std::replace(startTime.begin(), startTime.end(), ':', ' ');
    EXPECT_EQ(w.control(W::kStartText).text, "[" + c.shown[0] + "] [" + startTime + "]");
    EXPECT_TRUE(w.control(W::kClearStart).enabled);
    EXPECT_TRUE(w.control(W::kClearEnd).enabled);
}

INSTANTIATE_TEST_SUITE_P(
    ManualTime, OneEndTest,
    ::testing::Values(OneEndCase{"BothSet", false, false, {"2008-05-30", "15:56:01", "2008-05-30", "15:56:01"}, 1},
                      OneEndCase{"OnlyStartSet", false, true, {"2008-05-30", "15:56:01", "2008-10-22", "16:28:39"}, 2},
                      OneEndCase{"OnlyEndSet", true, false, {"2006-08-17", "09:24:48", "2008-05-30", "15:56:01"}, 2},
                      OneEndCase{"NoneSet", true, true, {"2006-08-17", "09:24:48", "2008-10-22", "16:28:39"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// Pictures on both sides of the two daylight-saving changes of the test zone
// (the last Sundays of March and October): the range typed into the pickers
// holds exactly the pictures whose wall-clock times lie in it, and comes back
// unchanged, even for the hour that is skipped in spring and the one that is
// repeated in autumn.
TEST_F(ManualTimeTest, RangeAcrossDaylightSavingChangesRoundTrips) {
    putShotAt("1-before-spring.jpg", "2006:03:26 01:59:59");
    putShotAt("2-skipped-hour.jpg", "2006:03:26 02:30:15");
    putShotAt("3-after-spring.jpg", "2006:03:26 03:05:15");
    putShotAt("4-repeated-hour.jpg", "2006:10:29 02:30:15");
    putShotAt("5-after-autumn.jpg", "2006:10:29 03:05:16");
    scan();
    Album& album = newAlbum();
    CViewPhoto& w = open();
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 5u);
    EXPECT_EQ(pickersOnOpening(), (std::vector<std::string>{"2006-03-26", "01:59:59", "2006-10-29", "03:05:16"}));

    choose("2006-03-26", "02:30:15", "2006-10-29", "02:30:15");
    EXPECT_EQ(album.startKey, keyOf("2-skipped-hour.jpg"));
    EXPECT_EQ(album.endKey, keyOf("4-repeated-hour.jpg"));
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 3 pictures in album.");
    EXPECT_EQ(pickersOnOpening(), (std::vector<std::string>{"2006-03-26", "02:30:15", "2006-10-29", "02:30:15"}));

    // Across the spring change: keys go by wall-clock time, as the pictures' do.
    choose("2006-03-26", "01:05:15", "2006-03-26", "03:05:15");
    EXPECT_EQ(album.endKey - album.startKey, static_cast<std::uint64_t>(2 * kTicksPerHour));
    EXPECT_EQ(pickersOnOpening(), (std::vector<std::string>{"2006-03-26", "01:05:15", "2006-03-26", "03:05:15"}));
    EXPECT_EQ(w.control(W::kStatus).text, "New Album: 3 pictures in album.");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ManualTimeTest, ProcessedAlbumKeepsItsRange) {
    putDefaultPictures();
    Album& album = newAlbum();
    album.setStart(keyOf("c-fuji.jpg"));
    album.setEnd(keyOf("a-canon.jpg"));
    album.isProcessed = 1;
    record("c-fuji.jpg").albumId = album.id;
    record("a-canon.jpg").albumId = album.id;
    editing.editingAlbum = 1;
    editing.editedAlbumId = album.id;
    CViewPhoto& w = open();
    EXPECT_FALSE(w.control(W::kSave).enabled);
    EXPECT_FALSE(w.control(W::kMenuManualRange).enabled);
    host.onModal("CManualTime", [](Window& m) {
        m.control(M::kStartDate).text = "2001-01-01";
        m.onCommand(M::kOk);
    });
    w.onCommand(W::kMenuManualRange);
    EXPECT_TRUE(host.modalRuns.empty());
    EXPECT_EQ(album.startKey, keyOf("c-fuji.jpg"));
    EXPECT_EQ(album.endKey, keyOf("a-canon.jpg"));
}

TEST_F(ManualTimeTest, EditedAlbumOpensOnItsOwnRange) {
    putDefaultPictures();
    Album& album = newAlbum();
    // A range between the pictures' times, so that the film's ends would show otherwise.
    album.setStart(keyOf("c-fuji.jpg") + 10000000u);
    album.setEnd(keyOf("b-nikon.jpg") - 10000000u);
    record("a-canon.jpg").albumId = album.id;
    editing.editingAlbum = 1;
    editing.editedAlbumId = album.id;
    CViewPhoto& w = open();
    EXPECT_TRUE(w.control(W::kMenuManualRange).enabled);
    ASSERT_EQ(w.control(W::kFilm).itemLabels().size(), 1u);
    EXPECT_EQ(pickersOnOpening(), (std::vector<std::string>{"2006-08-17", "09:24:49", "2008-10-22", "16:28:38"}));
}

// Values the pickers cannot show to the tick, as session files may hold them,
// come back unchanged from an OK without changes.
TEST_F(ManualTimeTest, UntouchedPickersKeepTheExactValue) {
    Album album;
    album.setStart(pictureTimeStamp("2006:05:14 14:05:09", ws.biasMinutes) + 5000000);
    album.setEnd(pictureTimeStamp("2006:05:14 15:01:02", ws.biasMinutes) + 1);
    CManualTime m(host, album, std::nullopt, std::nullopt, ws.biasMinutes);
    m.onInit();
    EXPECT_EQ(m.control(M::kStartTime).text, "14:05:09");
    const Album before = album;
    m.onCommand(M::kOk);
    EXPECT_EQ(m.result(), kResultOk);
    EXPECT_EQ(album.startKey, before.startKey);
    EXPECT_EQ(album.endKey, before.endKey);
    // A changed picker gives the whole second it shows.
    m.restart();
    m.onInit();
    m.control(M::kEndTime).text = "15:01:03";
    m.onCommand(M::kOk);
    EXPECT_EQ(album.startKey, before.startKey);
    EXPECT_EQ(album.endKey, static_cast<std::uint64_t>(pictureTimeStamp("2006:05:14 15:01:03", ws.biasMinutes)));
}

}  // namespace
}  // namespace dz::test
