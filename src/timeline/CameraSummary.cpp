#include "timeline/CameraSummary.h"

#include "timeline/ClockOffset.h"

#include <array>
#include <map>

namespace dz {

namespace {

constexpr std::size_t kSources = 6;

struct Tally {
    std::array<std::size_t, kSources> bySource{};
    std::map<std::int64_t, std::size_t> clockOffsets;  // of the shots whose moment is known for certain
    std::map<std::int64_t, std::size_t> offPlace;      // the clock's distance from the place's time
    bool any = false;
    std::int64_t firstMoment = 0;
    std::int64_t lastMoment = 0;
};

std::int64_t mostCommon(const std::map<std::int64_t, std::size_t>& counts, std::size_t& count) {
    std::int64_t best = 0;
    count = 0;
    for (const auto& [value, n] : counts) {
        if (n > count) {
            best = value;
            count = n;
        }
    }
    return best;
}

std::string ofShots(std::size_t n, std::size_t count) {
    return std::to_string(n) + " of " + std::to_string(count) + " shot" + (count == 1 ? "" : "s");
}

void explain(CameraSummary& summary, const Tally& tally) {
    const auto count = [&](MomentSource source) { return tally.bySource[static_cast<std::size_t>(source)]; };
    std::size_t agreeing = 0;
    const std::int64_t offset = mostCommon(tally.clockOffsets, agreeing);
    if (summary.clockSet) {
        summary.why = "set by the user";
    } else if (count(MomentSource::OffsetTag) > 0) {
        summary.clock = clockOffsetText(static_cast<int>(offset));
        summary.why = "offset tags on " + ofShots(count(MomentSource::OffsetTag), summary.count);
    } else if (count(MomentSource::GpsTime) > 0) {
        summary.clock = clockOffsetText(static_cast<int>(offset));
        summary.why = "GPS time on " + ofShots(count(MomentSource::GpsTime), summary.count);
    } else if (count(MomentSource::PlaceZone) > 0) {
        summary.why = "positions on " + ofShots(count(MomentSource::PlaceZone), summary.count);
    } else if (count(MomentSource::NearbyShot) > 0) {
        summary.why = "the zone of shots of known place at the same local time, on " +
                      ofShots(count(MomentSource::NearbyShot), summary.count);
    } else {
        summary.why = "nothing tells its zone: read in the computer's zone";
    }
    std::size_t off = 0;
    const std::int64_t distance = mostCommon(tally.offPlace, off);
    if (off > 0) {
        summary.why += "; on " + ofShots(off, summary.count) + " its clock differs from the time of the place by " +
                       clockOffsetText(static_cast<int>(distance));
    }
}

}  // namespace

std::vector<CameraSummary> summariseCameras(const TimelineInput& input, const std::vector<ShotTime>& times,
                                            const CameraClocks& clocks) {
    std::vector<CameraSummary> summaries(input.bodies.size());
    std::vector<Tally> tallies(input.bodies.size());
    for (std::size_t i = 0; i < input.shots.size() && i < times.size(); ++i) {
        const std::int32_t camera = input.shots[i].camera;
        if (camera < 0 || static_cast<std::size_t>(camera) >= summaries.size()) {
            continue;
        }
        const ShotTime& time = times[i];
        CameraSummary& summary = summaries[camera];
        Tally& tally = tallies[camera];
        ++summary.count;
        ++tally.bySource[static_cast<std::size_t>(time.momentSource)];
        const std::int64_t clockOffset = input.shots[i].wallClock - time.moment;
        if (time.momentSource == MomentSource::OffsetTag || time.momentSource == MomentSource::GpsTime) {
            ++tally.clockOffsets[clockOffset];
        }
        const bool placeKnown = time.offsetSource == PlaceOffsetSource::PlaceZone ||
                                time.offsetSource == PlaceOffsetSource::NearbyShot;
        if (placeKnown && clockOffset != time.offset) {
            ++tally.offPlace[clockOffset - time.offset];
        }
        if (!tally.any || time.moment < tally.firstMoment) {
            tally.firstMoment = time.moment;
            summary.firstLocal = time.localTime();
        }
        if (!tally.any || time.moment > tally.lastMoment) {
            tally.lastMoment = time.moment;
            summary.lastLocal = time.localTime();
        }
        tally.any = true;
    }
    for (std::size_t c = 0; c < summaries.size(); ++c) {
        CameraSummary& summary = summaries[c];
        summary.body = input.bodies[c];
        const CameraClock clock = clocks.clockOf(summary.body);
        summary.clockSet = !clock.isDefault();
        summary.clock = clockZoneText(clock);
        explain(summary, tallies[c]);
    }
    return summaries;
}

}  // namespace dz
