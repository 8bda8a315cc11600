#include "timeline/CameraClock.h"

#include "timeline/ClockOffset.h"
#include "timeline/ZoneRules.h"

#include <cstdio>
#include <cstdlib>

namespace dz {

namespace {

constexpr std::int64_t kLargestCorrectionHours = 9999;

bool readNumber(const std::string& text, std::size_t& at, std::int64_t& value, std::size_t maxDigits) {
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < maxDigits) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at > start;
}

}  // namespace

std::optional<CameraClock> parseClockZone(const std::string& text) {
    CameraClock clock;
    if (text == "local") {
        return clock;
    }
    if (const std::optional<int> offset = parseClockOffset(text)) {
        clock.zone = CameraClock::Zone::FixedOffset;
        clock.offsetSeconds = *offset;
        return clock;
    }
    if (!isKnownZone(text)) {
        return std::nullopt;
    }
    clock.zone = CameraClock::Zone::Named;
    clock.zoneName = text;
    return clock;
}

std::string clockZoneText(const CameraClock& clock) {
    switch (clock.zone) {
    case CameraClock::Zone::PlaceLocal:
        return "local";
    case CameraClock::Zone::FixedOffset:
        return clockOffsetText(clock.offsetSeconds);
    case CameraClock::Zone::Named:
        return clock.zoneName;
    }
    return "local";
}

std::optional<std::int64_t> parseClockCorrection(const std::string& text) {
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) {
        return std::nullopt;
    }
    std::size_t at = 1;
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    if (!readNumber(text, at, hours, 4) || at >= text.size() || text[at] != ':') {
        return std::nullopt;
    }
    ++at;
    if (!readNumber(text, at, minutes, 2) || minutes >= 60) {
        return std::nullopt;
    }
    if (at < text.size()) {
        if (text[at] != ':') {
            return std::nullopt;
        }
        ++at;
        if (!readNumber(text, at, seconds, 2) || seconds >= 60 || at != text.size()) {
            return std::nullopt;
        }
    }
    if (hours > kLargestCorrectionHours) {
        return std::nullopt;
    }
    const std::int64_t total = (hours * 60 + minutes) * 60 + seconds;
    return text[0] == '-' ? -total : total;
}

std::string clockCorrectionText(std::int64_t seconds) {
    const std::int64_t size = seconds < 0 ? -seconds : seconds;
    char text[40];
    std::snprintf(text, sizeof text, "%c%lld:%02lld:%02lld", seconds < 0 ? '-' : '+',
                  static_cast<long long>(size / 3600), static_cast<long long>(size / 60 % 60),
                  static_cast<long long>(size % 60));
    return text;
}

CameraClock CameraClocks::clockOf(const CameraBody& body) const {
    for (const auto& [known, clock] : byBody) {
        if (known == body) {
            return clock;
        }
    }
    for (const auto& [model, clock] : byModel) {
        if (model == body.model) {
            return clock;
        }
    }
    return {};
}

}  // namespace dz
