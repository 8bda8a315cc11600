// The timeline resolved from tables of shots: each step of the order for
// the moment and for the place, a camera left on home time, the date line
// and a change of daylight saving. The zones are the system's tz database.
#include "timeline/ClockOffset.h"
#include "timeline/Timeline.h"
#include "timeline/TimelineWords.h"

#include <gtest/gtest.h>

namespace dz {
namespace {

constexpr double kKyotoLat = 35.0116, kKyotoLon = 135.7681;
constexpr double kNukualofaLat = -21.1394, kNukualofaLon = -175.2032;

// A gazetteer of two places, so the tests see only the timeline's rules.
std::optional<PlaceOfShot> twoPlaces(double latitude, double longitude) {
    if (latitude > 30) {
        return PlaceOfShot{"Asia/Tokyo", "Kyoto, Kyoto, Japan", "Kyoto"};
    }
    if (longitude < -170) {
        return PlaceOfShot{"Pacific/Tongatapu", "Nuku'alofa, Tongatapu, Tonga", "Nuku'alofa"};
    }
    return std::nullopt;
}

// The computer of the tests sits in Central Europe.
int berlin(std::int64_t utc) {
    return utc >= 1711846800 && utc < 1729990800 ? 7200 : 3600;  // summer time of 2024
}

ShotFacts shot(const std::string& when, std::int32_t camera = 0) {
    ShotFacts facts;
    facts.wallClock = wallClockOfText(when);
    facts.camera = camera;
    return facts;
}

ShotFacts at(ShotFacts facts, double latitude, double longitude) {
    facts.hasPosition = true;
    facts.latitude = latitude;
    facts.longitude = longitude;
    return facts;
}

ShotFacts tagged(ShotFacts facts, int offsetSeconds) {
    facts.offsetTag = offsetSeconds;
    return facts;
}

TimelineInput phoneAndCamera(std::vector<ShotFacts> shots) {
    return {std::move(shots), {{"Google", "Pixel 5", ""}, {"Canon", "Canon EOS 80D", "0123"}}};
}

struct Resolved {
    std::string utc;
    std::string local;
    std::string offset;
    MomentSource momentSource;
    PlaceOffsetSource offsetSource;
};

Resolved resolved(const ShotTime& time) {
    return {utcText(time.moment), wallClockText(time.localTime()), clockOffsetText(time.offset), time.momentSource,
            time.offsetSource};
}

void expectShot(const ShotTime& time, const Resolved& want, const char* what) {
    const Resolved got = resolved(time);
    EXPECT_EQ(got.utc, want.utc) << what;
    EXPECT_EQ(got.local, want.local) << what;
    EXPECT_EQ(got.offset, want.offset) << what;
    EXPECT_EQ(momentSourceWord(got.momentSource), std::string(momentSourceWord(want.momentSource))) << what;
    EXPECT_EQ(offsetSourceWord(got.offsetSource), std::string(offsetSourceWord(want.offsetSource))) << what;
}

TEST(Timeline, EachStepOfTheOrderForMomentAndPlace) {
    ShotFacts gps = shot("2024:07:05 18:00:07", 1);
    gps.gpsUtc = wallClockOfText("2024:07:05 09:00:41");  // the fix, half a minute off
    CameraClocks clocks;
    clocks.byModel.push_back({"Canon EOS 80D", *parseClockZone("+02:00")});
    const TimelineInput input = phoneAndCamera({
        // The tag wins over a GPS time that says otherwise, and the place's
        // zone gives the local time, whatever the tag says.
        tagged(at(shot("2024:07:05 09:00:00"), kKyotoLat, kKyotoLon), 2 * 3600),
        gps,
        // The user's setting of the camera, then the place (nearest shot).
        shot("2024:07:05 04:00:00", 1),
        // A position alone.
        at(shot("2024:07:05 12:00:00", 2), kKyotoLat, kKyotoLon),
        // Nothing at all, far from every shot of known place.
        shot("2024:01:10 08:00:00", 2),
        // A tag, nowhere near a known place.
        tagged(shot("2024:03:01 08:00:00"), -5 * 3600),
    });
    const std::vector<ShotTime> times = resolveTimeline(input, clocks, twoPlaces, berlin);
    ASSERT_EQ(times.size(), 6u);
    expectShot(times[0], {"2024-07-05T07:00:00Z", "2024:07:05 16:00:00", "+09:00", MomentSource::OffsetTag,
                          PlaceOffsetSource::PlaceZone}, "offset tag");
    expectShot(times[1], {"2024-07-05T09:00:07Z", "2024:07:05 18:00:07", "+09:00", MomentSource::GpsTime,
                          PlaceOffsetSource::NearbyShot}, "GPS time");
    expectShot(times[2], {"2024-07-05T02:00:00Z", "2024:07:05 11:00:00", "+09:00", MomentSource::CameraClock,
                          PlaceOffsetSource::NearbyShot}, "camera clock");
    expectShot(times[3], {"2024-07-05T03:00:00Z", "2024:07:05 12:00:00", "+09:00", MomentSource::PlaceZone,
                          PlaceOffsetSource::PlaceZone}, "position");
    expectShot(times[4], {"2024-01-10T07:00:00Z", "2024:01:10 08:00:00", "+01:00", MomentSource::ComputerZone,
                          PlaceOffsetSource::ComputerZone}, "computer");
    expectShot(times[5], {"2024-03-01T13:00:00Z", "2024:03:01 08:00:00", "-05:00", MomentSource::OffsetTag,
                          PlaceOffsetSource::OffsetTag}, "tag alone");
    EXPECT_EQ(times[3].place, "Kyoto, Kyoto, Japan");
    EXPECT_EQ(times[2].zoneFrom, 3);
}

TEST(Timeline, ACameraOnHomeTimeTakesThePlaceOfThePhoneShotsAroundIt) {
    // The phone writes Kyoto time with its offset; the camera stays on Berlin
    // summer time. Its 23:30 is 06:30 of the next morning in Kyoto.
    const TimelineInput input = phoneAndCamera({
        tagged(at(shot("2024:07:06 06:10:00"), kKyotoLat, kKyotoLon), 9 * 3600),
        tagged(at(shot("2024:07:06 07:05:00"), kKyotoLat, kKyotoLon), 9 * 3600),
        shot("2024:07:05 23:30:00", 1),
        tagged(at(shot("2024:07:05 23:00:00"), kKyotoLat, kKyotoLon), 9 * 3600),
        shot("2024:07:05 16:00:00", 1),
    });
    CameraClocks clocks;
    clocks.byBody.push_back({input.bodies[1], *parseClockZone("Europe/Berlin")});
    const std::vector<ShotTime> times = resolveTimeline(input, clocks, twoPlaces, berlin);
    expectShot(times[2], {"2024-07-05T21:30:00Z", "2024:07:06 06:30:00", "+09:00", MomentSource::CameraClock,
                          PlaceOffsetSource::NearbyShot}, "camera on home time");
    // Between the two phone shots on the one timeline.
    EXPECT_LT(times[0].moment, times[2].moment);
    EXPECT_LT(times[2].moment, times[1].moment);

    // Without the setting, the camera is read as local time of the place: the
    // phone shot at that local time lends its zone.
    const std::vector<ShotTime> unset = resolveTimeline(input, {}, twoPlaces, berlin);
    expectShot(unset[2], {"2024-07-05T14:30:00Z", "2024:07:05 23:30:00", "+09:00", MomentSource::NearbyShot,
                          PlaceOffsetSource::NearbyShot}, "camera on local time");
    // A shot of that camera with no shot of known place near is read as
    // the camera's other shots are, not in the computer's zone.
    expectShot(unset[4], {"2024-07-05T07:00:00Z", "2024:07:05 16:00:00", "+09:00", MomentSource::NearbyShot,
                          PlaceOffsetSource::NearbyShot}, "the camera's other shot");

    // A correction of the camera's clock applies on top of its zone.
    clocks.byBody[0].second.correctionSeconds = -90;
    EXPECT_EQ(wallClockText(resolveTimeline(input, clocks, twoPlaces, berlin)[2].localTime()), "2024:07:06 06:28:30");
}

TEST(Timeline, TheDayAfterTheDateLineAndAChangeOfDaylightSaving) {
    // Nuku'alofa is 13 hours ahead of UTC: its morning is the evening before in UTC.
    const TimelineInput tonga = phoneAndCamera(
        {tagged(at(shot("2024:07:06 08:00:00"), kNukualofaLat, kNukualofaLon), 13 * 3600)});
    const std::vector<ShotTime> east = resolveTimeline(tonga, {}, twoPlaces, berlin);
    expectShot(east[0], {"2024-07-05T19:00:00Z", "2024:07:06 08:00:00", "+13:00", MomentSource::OffsetTag,
                         PlaceOffsetSource::PlaceZone}, "Tonga");

    // A camera on Berlin time across the end of summer time: the hour between
    // 02:00 and 03:00 comes twice; the earlier one is taken.
    const TimelineInput stay = phoneAndCamera({shot("2024:10:26 12:00:00", 1), shot("2024:10:27 02:30:00", 1),
                                               shot("2024:10:27 12:00:00", 1), shot("2024:03:31 02:30:00", 1)});
    CameraClocks clocks;
    clocks.byModel.push_back({"Canon EOS 80D", *parseClockZone("Europe/Berlin")});
    const std::vector<ShotTime> times = resolveTimeline(stay, clocks, twoPlaces, berlin);
    EXPECT_EQ(utcText(times[0].moment), "2024-10-26T10:00:00Z");
    EXPECT_EQ(utcText(times[1].moment), "2024-10-27T00:30:00Z");
    EXPECT_EQ(utcText(times[2].moment), "2024-10-27T11:00:00Z");
    // An hour the clocks skipped is read with the offset before the change.
    EXPECT_EQ(utcText(times[3].moment), "2024-03-31T01:30:00Z");
}

TEST(Timeline, ClockTextsAreReadStrictly) {
    EXPECT_EQ(parseClockOffset("+05:45"), 5 * 3600 + 45 * 60);
    EXPECT_EQ(parseClockOffset("-09:30"), -(9 * 3600 + 30 * 60));
    for (const char* bad : {"", "+9:00", "+09:60", "+15:00", "09:00", "+09:00 ", "+0a:00"}) {
        EXPECT_FALSE(parseClockOffset(bad)) << bad;
    }
    EXPECT_EQ(parseClockCorrection("+1:02:03"), 3723);
    EXPECT_EQ(parseClockCorrection("-0:05"), -300);
    for (const char* bad : {"", "+", "1:00:00", "+1", "+1:60", "+1:00:60", "+1:00:00x", "+99999:00"}) {
        EXPECT_FALSE(parseClockCorrection(bad)) << bad;
    }
    EXPECT_EQ(clockCorrectionText(-3723), "-1:02:03");
    ASSERT_TRUE(parseClockZone("Europe/Berlin"));
    EXPECT_EQ(clockZoneText(*parseClockZone("Europe/Berlin")), "Europe/Berlin");
    EXPECT_FALSE(parseClockZone("Europe/Nowhere"));
    EXPECT_FALSE(parseClockZone("../../etc/passwd"));
}

}  // namespace
}  // namespace dz
