#include "timeline/Timeline.h"

#include "timeline/ZoneRules.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace dz {

namespace {

constexpr std::int64_t kQuarterHour = 15 * 60;
constexpr std::int64_t kLargestOffset = 14 * 3600;

OffsetAt offsetsOfZone(const std::string& zone, const OffsetAt& fallback) {
    return [zone, fallback](std::int64_t utc) {
        const std::optional<int> offset = zoneOffsetAt(zone, utc);
        return offset ? *offset : fallback(utc);
    };
}

// The clock's offset as the GPS fix tells it: rounded to the quarter hour,
// since the fix is taken a little before or after the shot.
std::optional<std::int64_t> offsetFromGps(std::int64_t clock, std::int64_t gpsUtc) {
    const std::int64_t difference = clock - gpsUtc;
    const std::int64_t quarters = (difference + (difference < 0 ? -kQuarterHour / 2 : kQuarterHour / 2)) / kQuarterHour;
    const std::int64_t offset = quarters * kQuarterHour;
    if (std::llabs(offset) > kLargestOffset) {
        return std::nullopt;
    }
    return offset;
}

std::optional<std::int64_t> momentOfSetClock(const CameraClock& clock, std::int64_t wall,
                                             const OffsetAt& computerOffset) {
    switch (clock.zone) {
    case CameraClock::Zone::PlaceLocal:
        return std::nullopt;
    case CameraClock::Zone::FixedOffset:
        return wall - clock.offsetSeconds;
    case CameraClock::Zone::Named:
        if (!isKnownZone(clock.zoneName)) {
            return std::nullopt;
        }
        return momentOfWallClock(wall, offsetsOfZone(clock.zoneName, computerOffset));
    }
    return std::nullopt;
}

// Shots whose place is known from their own position, ordered by a time.
struct Anchor {
    std::int64_t time;
    std::int32_t shot;
};

std::vector<Anchor> anchorsBy(const std::vector<ShotTime>& times, bool byLocalTime) {
    std::vector<Anchor> anchors;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (times[i].offsetSource == PlaceOffsetSource::PlaceZone) {
            const std::int64_t time = byLocalTime ? times[i].localTime() : times[i].moment;
            anchors.push_back({time, static_cast<std::int32_t>(i)});
        }
    }
    std::sort(anchors.begin(), anchors.end(),
              [](const Anchor& a, const Anchor& b) { return a.time < b.time || (a.time == b.time && a.shot < b.shot); });
    return anchors;
}

// The anchor nearest to `time`, within the nearby span; -1 when none is.
std::int32_t nearestAnchor(const std::vector<Anchor>& anchors, std::int64_t time) {
    const auto after = std::lower_bound(anchors.begin(), anchors.end(), time,
                                        [](const Anchor& a, std::int64_t t) { return a.time < t; });
    std::int32_t best = -1;
    std::int64_t bestDistance = kNearbyShotSeconds + 1;
    if (after != anchors.end() && after->time - time < bestDistance) {
        best = after->shot;
        bestDistance = after->time - time;
    }
    if (after != anchors.begin()) {
        const Anchor& before = *(after - 1);
        if (time - before.time < bestDistance) {
            best = before.shot;
        }
    }
    return best;
}

// The entry nearest to `time`, however far; -1 when there is none.
std::int32_t nearestOfAll(const std::vector<Anchor>& sorted, std::int64_t time) {
    const auto after = std::lower_bound(sorted.begin(), sorted.end(), time,
                                        [](const Anchor& a, std::int64_t t) { return a.time < t; });
    if (after == sorted.end()) {
        return sorted.empty() ? -1 : sorted.back().shot;
    }
    if (after == sorted.begin() || after->time - time <= time - (after - 1)->time) {
        return after->shot;
    }
    return (after - 1)->shot;
}

void placeFromPosition(const ShotFacts& facts, const PlaceFinder& places, ShotTime& time,
                       std::optional<std::string>& zone) {
    if (!facts.hasPosition || !places) {
        return;
    }
    const std::optional<PlaceOfShot> place = places(facts.latitude, facts.longitude);
    if (!place) {
        return;
    }
    time.place = place->text;
    time.placeShort = place->shortName;
    if (!place->zone.empty() && isKnownZone(place->zone)) {
        zone = place->zone;
    }
}

}  // namespace

std::vector<ShotTime> resolveTimeline(const TimelineInput& input, const CameraClocks& clocks,
                                      const PlaceFinder& places, const OffsetAt& computerOffset) {
    const std::size_t count = input.shots.size();
    std::vector<ShotTime> times(count);
    std::vector<std::int64_t> clockOf(count);
    std::vector<bool> momentKnown(count, false);

    // The moments that need no other shot, and the places of positions.
    for (std::size_t i = 0; i < count; ++i) {
        const ShotFacts& facts = input.shots[i];
        ShotTime& time = times[i];
        const bool hasBody = facts.camera >= 0 && static_cast<std::size_t>(facts.camera) < input.bodies.size();
        const CameraClock clock = hasBody ? clocks.clockOf(input.bodies[facts.camera]) : CameraClock{};
        const std::int64_t wall = facts.wallClock + clock.correctionSeconds + facts.ownCorrection;
        clockOf[i] = wall;
        time.millis = facts.millis;

        std::optional<std::string> zone;
        placeFromPosition(facts, places, time, zone);

        std::optional<std::int64_t> gpsOffset;
        if (facts.gpsUtc) {
            gpsOffset = offsetFromGps(wall, *facts.gpsUtc);
        }
        if (facts.offsetTag) {
            time.moment = wall - *facts.offsetTag;
            time.momentSource = MomentSource::OffsetTag;
        } else if (gpsOffset) {
            time.moment = wall - *gpsOffset;
            time.momentSource = MomentSource::GpsTime;
        } else if (const std::optional<std::int64_t> set = momentOfSetClock(clock, wall, computerOffset)) {
            time.moment = *set;
            time.momentSource = MomentSource::CameraClock;
        } else if (zone) {
            time.moment = momentOfWallClock(wall, offsetsOfZone(*zone, computerOffset));
            time.momentSource = MomentSource::PlaceZone;
        } else {
            continue;
        }
        momentKnown[i] = true;
        if (zone) {
            time.zone = *zone;
            time.offset = zoneOffsetAt(*zone, time.moment).value_or(0);
            time.offsetSource = PlaceOffsetSource::PlaceZone;
        }
    }

    // A clock on the local time of the place, with nothing else to go by,
    // takes the zone of a shot of known place at the same local time; a shot
    // with none near takes the zone its own camera's nearest such shot took,
    // so one camera's clock is read one way; only then the computer's zone.
    const std::vector<Anchor> byLocalTime = anchorsBy(times, true);
    std::vector<std::vector<Anchor>> zonedByCamera(input.bodies.size());
    std::vector<std::string> zoneOf(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (momentKnown[i]) {
            continue;
        }
        const std::int32_t from = nearestAnchor(byLocalTime, clockOf[i]);
        if (from < 0) {
            continue;
        }
        zoneOf[i] = times[from].zone;
        const std::int32_t camera = input.shots[i].camera;
        if (camera >= 0 && static_cast<std::size_t>(camera) < zonedByCamera.size()) {
            zonedByCamera[camera].push_back({clockOf[i], static_cast<std::int32_t>(i)});
        }
    }
    for (std::vector<Anchor>& zoned : zonedByCamera) {
        std::sort(zoned.begin(), zoned.end(), [](const Anchor& a, const Anchor& b) { return a.time < b.time; });
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (momentKnown[i]) {
            continue;
        }
        const std::int32_t camera = input.shots[i].camera;
        if (zoneOf[i].empty() && camera >= 0 && static_cast<std::size_t>(camera) < zonedByCamera.size()) {
            const std::int32_t sibling = nearestOfAll(zonedByCamera[camera], clockOf[i]);
            if (sibling >= 0) {
                zoneOf[i] = zoneOf[sibling];
            }
        }
        ShotTime& time = times[i];
        if (!zoneOf[i].empty()) {
            time.moment = momentOfWallClock(clockOf[i], offsetsOfZone(zoneOf[i], computerOffset));
            time.momentSource = MomentSource::NearbyShot;
            // Read as the local time of that place, it is that place's time.
            time.zone = zoneOf[i];
            time.offset = zoneOffsetAt(time.zone, time.moment).value_or(0);
            time.offsetSource = PlaceOffsetSource::NearbyShot;
        } else {
            time.moment = momentOfWallClock(clockOf[i], computerOffset);
            time.momentSource = MomentSource::ComputerZone;
        }
        momentKnown[i] = true;
    }

    // The place of every other shot: the nearest shot of known place on the
    // timeline, else what its own clock says, else the computer's zone.
    const std::vector<Anchor> byMoment = anchorsBy(times, false);
    for (std::size_t i = 0; i < count; ++i) {
        ShotTime& time = times[i];
        if (time.offsetSource == PlaceOffsetSource::PlaceZone) {
            continue;
        }
        const std::int32_t from = nearestAnchor(byMoment, time.moment);
        if (from >= 0) {
            time.zone = times[from].zone;
            time.zoneFrom = from;
            time.offset = zoneOffsetAt(time.zone, time.moment).value_or(times[from].offset);
            time.offsetSource = PlaceOffsetSource::NearbyShot;
        } else if (time.offsetSource == PlaceOffsetSource::NearbyShot) {
            // Its moment was read in a borrowed zone, which stays its place's.
        } else if (input.shots[i].offsetTag) {
            time.offset = *input.shots[i].offsetTag;
            time.offsetSource = PlaceOffsetSource::OffsetTag;
        } else {
            time.offset = computerOffset(time.moment);
            time.offsetSource = PlaceOffsetSource::ComputerZone;
        }
    }
    return times;
}

}  // namespace dz
