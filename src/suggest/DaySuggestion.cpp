#include "suggest/DaySuggestion.h"

#include <chrono>

namespace dz {

namespace {

constexpr long long kSecondsPerDay = 86400;

long long floorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

long long monthOf(long long day) {
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    return static_cast<long long>(static_cast<int>(date.year())) * 12 +
           static_cast<long long>(static_cast<unsigned>(date.month()));
}

template <typename Period>
std::vector<std::size_t> startsWhereChanged(const std::vector<SuggestShot>& shots, Period period) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        if (i == 0 || period(shots[i]) != period(shots[i - 1])) {
            starts.push_back(i);
        }
    }
    return starts;
}

}  // namespace

long long shotDay(const SuggestShot& shot, const DaySettings& settings) {
    return floorDiv(shot.localTime - static_cast<long long>(settings.cutoffMinutes) * 60, kSecondsPerDay);
}

std::vector<std::size_t> dayStarts(const std::vector<SuggestShot>& shots, const DaySettings& settings) {
    return startsWhereChanged(shots, [&](const SuggestShot& shot) { return shotDay(shot, settings); });
}

std::vector<std::size_t> monthStarts(const std::vector<SuggestShot>& shots, const DaySettings& settings) {
    return startsWhereChanged(shots, [&](const SuggestShot& shot) { return monthOf(shotDay(shot, settings)); });
}

}  // namespace dz
