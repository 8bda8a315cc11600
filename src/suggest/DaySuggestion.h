#pragma once

#include "suggest/SuggestShot.h"

#include <cstddef>
#include <vector>

namespace dz {

// A shot after midnight and before this time of day belongs to the evening
// before: a party that goes on past midnight stays on its day.
inline constexpr int kDefaultDayCutoffMinutes = 4 * 60;

struct DaySettings {
    int cutoffMinutes = kDefaultDayCutoffMinutes;
};

// The day of a shot at its place, days since 1970-01-01, counted from the
// cut-off time of day.
long long shotDay(const SuggestShot& shot, const DaySettings& settings);

// The shots that begin a local day, the first shot first.
std::vector<std::size_t> dayStarts(const std::vector<SuggestShot>& shots, const DaySettings& settings);

// The shots that begin a local month, the first shot first; its days are
// those of dayStarts, so a month never parts one day.
std::vector<std::size_t> monthStarts(const std::vector<SuggestShot>& shots, const DaySettings& settings);

}  // namespace dz
