#pragma once

#include "suggest/SuggestShot.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dz::test {

// One row of a table of shots: the wall clock at the place, its offset,
// where it was if known.
struct ShotRow {
    ShotRow(const char* local, int offsetHours, std::optional<std::pair<double, double>> position = std::nullopt,
            std::string place = {}, std::uint64_t size = 1000)
        : local(local), offsetHours(offsetHours), position(position), place(std::move(place)), size(size) {}

    const char* local;  // "2024-07-05 09:00:00"
    int offsetHours;
    std::optional<std::pair<double, double>> position;
    std::string place;
    std::uint64_t size;
};

inline constexpr std::pair<double, double> kKyoto{35.0116, 135.7681};
inline constexpr std::pair<double, double> kNara{34.6851, 135.8048};
inline constexpr std::pair<double, double> kTokyo{35.6762, 139.6503};

// The shots of the rows as the catalogue adapter makes them, keys and shown
// times on the scale of the current zone; in the rows' order.
std::vector<SuggestShot> shotsOf(const std::vector<ShotRow>& rows);

}  // namespace dz::test
