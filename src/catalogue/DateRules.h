#pragma once

#include <cstdint>

namespace dz {

// How the catalogue's dates are made. A session keeps the rules it was
// saved under, so that its pictures are found again in the order they had
// when it was saved.
enum class DateRules : std::uint32_t {
    // A missing date is the file's birth time, or its modification time
    // where the file system keeps no birth time.
    AsFirstMade = 1,
    // A missing date is the earlier of the two: a copied file's birth time
    // is the moment it was copied.
    TrueTimes = 2,
};

inline constexpr DateRules kCurrentDateRules = DateRules::TrueTimes;

inline bool isKnownDateRules(std::uint32_t value) {
    return value >= static_cast<std::uint32_t>(DateRules::AsFirstMade) &&
           value <= static_cast<std::uint32_t>(kCurrentDateRules);
}

}  // namespace dz
