#include "timeline/TimelineWords.h"

namespace dz {

const char* momentSourceWord(MomentSource source) {
    switch (source) {
    case MomentSource::OffsetTag:
        return "offset-tag";
    case MomentSource::GpsTime:
        return "gps-time";
    case MomentSource::CameraClock:
        return "camera-clock";
    case MomentSource::PlaceZone:
        return "place-zone";
    case MomentSource::NearbyShot:
        return "nearby-shot";
    case MomentSource::ComputerZone:
        return "computer-zone";
    }
    return "computer-zone";
}

const char* offsetSourceWord(PlaceOffsetSource source) {
    switch (source) {
    case PlaceOffsetSource::PlaceZone:
        return "place-zone";
    case PlaceOffsetSource::NearbyShot:
        return "nearby-shot";
    case PlaceOffsetSource::OffsetTag:
        return "offset-tag";
    case PlaceOffsetSource::ComputerZone:
        return "computer-zone";
    }
    return "computer-zone";
}

}  // namespace dz
