#include "timeline/CatalogueTimeline.h"

#include "catalogue/PictureTimeStamp.h"
#include "platform/TimeZone.h"
#include "timeline/ClockOffset.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace dz {

namespace {

// The offset tags all speak of one clock; the one of the chosen date first.
std::optional<int> offsetTagOf(const ExifInfo& exif, DateSource source) {
    const std::string* first = &exif.offsetTimeOriginal;
    if (source == DateSource::ExifDigitized) {
        first = &exif.offsetTimeDigitized;
    } else if (source == DateSource::ExifModified) {
        first = &exif.offsetTimeModified;
    } else if (source == DateSource::FileName || source == DateSource::FileTime) {
        // Those dates are the computer's, not the camera clock's.
        return std::nullopt;
    }
    for (const std::string* text : {first, &exif.offsetTimeOriginal, &exif.offsetTimeDigitized, &exif.offsetTimeModified}) {
        if (const std::optional<int> offset = parseClockOffset(*text)) {
            return offset;
        }
    }
    return std::nullopt;
}

int millisOf(const std::string& subSeconds) {
    int millis = 0;
    int digits = 0;
    for (const char c : subSeconds) {
        if (c < '0' || c > '9') {
            return 0;
        }
        if (digits < 3) {
            millis = millis * 10 + (c - '0');
            ++digits;
        }
    }
    while (digits > 0 && digits < 3) {
        millis *= 10;
        ++digits;
    }
    return millis;
}

}  // namespace

CameraBody cameraBodyOf(const ExifInfo& exif) {
    return {exif.cameraMake, exif.cameraModel, exif.bodySerialNumber};
}

TimelineInput timelineInputOf(const std::vector<PictureRecord>& pictures) {
    TimelineInput input;
    input.shots.reserve(pictures.size());
    std::map<std::tuple<std::string, std::string, std::string>, std::int32_t> bodies;
    std::int32_t lastCamera = -1;
    for (const PictureRecord& picture : pictures) {
        ShotFacts facts;
        if (!picture.block) {
            input.shots.push_back(facts);
            continue;
        }
        const ExifInfo& exif = picture.exif();
        const DateSource source = picture.block->dateSource;
        facts.wallClock = wallClockOfText(exif.dateTime);
        if (source == DateSource::ExifOriginal) {
            facts.millis = millisOf(exif.subSecTimeOriginal);
        }
        facts.offsetTag = offsetTagOf(exif, source);
        if (!exif.gpsDateTime.empty() && source != DateSource::FileName && source != DateSource::FileTime) {
            facts.gpsUtc = wallClockOfText(exif.gpsDateTime);
        }
        facts.ownCorrection = picture.block->clockCorrection;
        facts.hasPosition = exif.position.known;
        facts.latitude = exif.position.latitude;
        facts.longitude = exif.position.longitude;
        const bool sameAsLast = lastCamera >= 0 && input.bodies[lastCamera].make == exif.cameraMake &&
                                input.bodies[lastCamera].model == exif.cameraModel &&
                                input.bodies[lastCamera].serial == exif.bodySerialNumber;
        if (sameAsLast) {
            // Pictures come in runs of one camera: no key to build for them.
            facts.camera = lastCamera;
        } else if (!exif.cameraMake.empty() || !exif.cameraModel.empty()) {
            const auto key = std::make_tuple(exif.cameraMake, exif.cameraModel, exif.bodySerialNumber);
            const auto found = bodies.find(key);
            if (found != bodies.end()) {
                facts.camera = found->second;
            } else {
                facts.camera = static_cast<std::int32_t>(input.bodies.size());
                bodies.emplace(key, facts.camera);
                input.bodies.push_back(cameraBodyOf(exif));
            }
        }
        lastCamera = facts.camera;
        input.shots.push_back(facts);
    }
    return input;
}

namespace {

void orderByKey(std::vector<PictureRecord>& pictures) {
    std::stable_sort(pictures.begin(), pictures.end(), [](const PictureRecord& a, const PictureRecord& b) {
        return a.writeTime != b.writeTime ? a.writeTime < b.writeTime : a.path < b.path;
    });
}

}  // namespace

void putOnTimeline(std::vector<PictureRecord>& pictures, const std::vector<ShotTime>& times,
                   const OffsetAt& computerOffset) {
    for (std::size_t i = 0; i < pictures.size() && i < times.size(); ++i) {
        PictureRecord& picture = pictures[i];
        if (!picture.block) {
            continue;
        }
        const ShotTime& time = times[i];
        TimelineSpot& spot = picture.block->spot;
        spot.onTimeline = true;
        spot.key = fileTimeFromUnix(time.moment, std::int64_t{time.millis} * 1000000);
        spot.localTime = time.localTime();
        spot.offsetSeconds = time.offset;
        spot.offsetDiffers = time.offset != computerOffset(time.moment);
        spot.place = time.place;
        spot.placeShort = time.placeShort;
        picture.createTime = spot.key;
        picture.writeTime = spot.key;
    }
    orderByKey(pictures);
}

bool tellsZones(const TimelineInput& input, const CameraClocks& clocks) {
    for (const ShotFacts& shot : input.shots) {
        if (shot.offsetTag || shot.gpsUtc || shot.hasPosition || shot.ownCorrection != 0) {
            return true;
        }
    }
    for (const CameraBody& body : input.bodies) {
        if (!clocks.clockOf(body).isDefault()) {
            return true;
        }
    }
    return false;
}

bool placeCatalogueOnTimeline(std::vector<PictureRecord>& pictures, const CameraClocks& clocks,
                              const PlaceFinder& places, const OffsetAt& computerOffset, int biasMinutes) {
    const TimelineInput input = timelineInputOf(pictures);
    if (!tellsZones(input, clocks)) {
        takeOffTimeline(pictures, biasMinutes);
        return false;
    }
    putOnTimeline(pictures, resolveTimeline(input, clocks, places, computerOffset), computerOffset);
    return true;
}

void takeOffTimeline(std::vector<PictureRecord>& pictures, int biasMinutes) {
    bool moved = false;
    for (PictureRecord& picture : pictures) {
        if (!picture.block || !picture.block->spot.onTimeline) {
            continue;
        }
        picture.block->spot = {};
        picture.createTime = pictureTimeStamp(picture.exif().dateTime, biasMinutes);
        picture.writeTime = picture.createTime;
        moved = true;
    }
    // A catalogue never put on the timeline keeps the scan's own order.
    if (moved) {
        orderByKey(pictures);
    }
}

}  // namespace dz
