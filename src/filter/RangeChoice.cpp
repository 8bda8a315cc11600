#include "filter/RangeChoice.h"

#include <algorithm>

namespace dz {
namespace {

// Whether `a` comes before `b` in the list's order.
bool ahead(double a, double b, RangeOrder order) { return order == RangeOrder::LargestFirst ? a > b : a < b; }

std::optional<std::size_t> indexOfValue(const std::vector<RangeEntry>& entries, double value) {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const RangeEntry& e) { return e.value == value; });
    if (it == entries.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - entries.begin());
}

}  // namespace

std::vector<RangeEntry> minChoices(const std::vector<RangeEntry>& entries, double maxValue, RangeOrder order) {
    std::vector<RangeEntry> offered;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(offered),
                 [&](const RangeEntry& e) { return !ahead(e.value, maxValue, order); });
    return offered;
}

std::optional<std::size_t> maxSelection(const std::vector<RangeEntry>& entries, double storedMax,
                                        RangeOrder order) {
    if (entries.empty()) {
        return std::nullopt;
    }
    if (storedMax == 0 || ahead(storedMax, entries.front().value, order)) {
        return 0;
    }
    if (ahead(entries.back().value, storedMax, order)) {
        return entries.size() - 1;
    }
    return indexOfValue(entries, storedMax);
}

std::optional<std::size_t> minSelection(const std::vector<RangeEntry>& minEntries, double storedMax,
                                        double storedMin) {
    if (minEntries.empty()) {
        return std::nullopt;
    }
    if (storedMax != 0) {
        if (const auto equal = indexOfValue(minEntries, storedMin)) {
            return equal;
        }
    }
    return minEntries.size() - 1;
}

}  // namespace dz
