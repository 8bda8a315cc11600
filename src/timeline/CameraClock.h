#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dz {

// One camera or phone of the catalogue, as its pictures name it.
struct CameraBody {
    std::string make;
    std::string model;
    std::string serial;  // empty where the body does not write one

    bool operator==(const CameraBody& other) const {
        return make == other.make && model == other.model && serial == other.serial;
    }
};

// What a camera's clock showed. By default the local time of the place,
// as a phone keeps it; a camera left on the time of home shows a zone of its
// own, a fixed offset or an IANA zone that follows daylight saving.
struct CameraClock {
    enum class Zone : std::uint8_t { PlaceLocal, FixedOffset, Named };
    Zone zone = Zone::PlaceLocal;
    int offsetSeconds = 0;  // with FixedOffset
    std::string zoneName;   // with Named
    // Added to every shot time of the camera, for a clock that runs off.
    std::int64_t correctionSeconds = 0;

    bool isDefault() const { return zone == Zone::PlaceLocal && correctionSeconds == 0; }
};

// "+09:00", "Europe/Berlin", or "local" for the local time of the place;
// none for anything else (a zone name the tz database lacks included).
std::optional<CameraClock> parseClockZone(const std::string& text);

// The text parseClockZone reads back.
std::string clockZoneText(const CameraClock& clock);

// "+1:02:03", "-0:00:30", "+0:05" (seconds may be left out); none otherwise.
std::optional<std::int64_t> parseClockCorrection(const std::string& text);

// "+1:02:03" of a correction.
std::string clockCorrectionText(std::int64_t seconds);

// The clocks the user set: for a body, or for every body of a model (as the
// command line names them). A body's own setting comes first.
struct CameraClocks {
    std::vector<std::pair<CameraBody, CameraClock>> byBody;
    std::vector<std::pair<std::string, CameraClock>> byModel;

    CameraClock clockOf(const CameraBody& body) const;
};

}  // namespace dz
