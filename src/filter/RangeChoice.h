#pragma once

#include "filter/ValueEntries.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace dz {

// The Max and Min choices of a range criterion, over the entries of its
// value list in list order.

// The entries offered as Min once `maxValue` is the chosen Max: those not
// above it (for a smallest-first list, not below it), in list order.
std::vector<RangeEntry> minChoices(const std::vector<RangeEntry>& entries, double maxValue, RangeOrder order);

// The Max entry to select for a stored Max bound: the first when the bound
// is 0 or lies beyond the first entry, the last when it lies beyond the last,
// else the entry of equal value; none when no entry is equal or the list is
// empty.
std::optional<std::size_t> maxSelection(const std::vector<RangeEntry>& entries, double storedMax,
                                        RangeOrder order);

// The Min entry to select among `minEntries`: the one equal to the stored Min
// when a Max bound is stored, otherwise (or when none is equal) the last.
std::optional<std::size_t> minSelection(const std::vector<RangeEntry>& minEntries, double storedMax,
                                        double storedMin);

}  // namespace dz
