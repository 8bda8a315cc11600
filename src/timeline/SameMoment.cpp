#include "timeline/SameMoment.h"

namespace dz {

namespace {

// The largest correction parseClockCorrection reads back: 9999:59:59.
constexpr std::int64_t kLargestCorrection = (9999LL * 60 + 59) * 60 + 59;

std::int64_t millisOf(const ShotTime& time) {
    return time.moment * 1000 + time.millis;
}

}  // namespace

std::optional<std::int64_t> sameMomentCorrection(std::int64_t currentCorrection, const ShotTime& mine,
                                                 const ShotTime& other) {
    const std::int64_t apartMillis = millisOf(other) - millisOf(mine);
    // Half a second rounds away from zero, alike either way.
    const std::int64_t apart = (apartMillis + (apartMillis < 0 ? -500 : 500)) / 1000;
    const std::int64_t corrected = currentCorrection + apart;
    if (corrected > kLargestCorrection || corrected < -kLargestCorrection) {
        return std::nullopt;
    }
    return corrected;
}

}  // namespace dz
