#pragma once

#include "filter/FilterCriteria.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// The Advanced Filter's value lists: the camera list, then one per
// criterion in Criterion order.
enum class ValueList : std::size_t {
    Camera,
    Size,
    FocalLength,
    Resolution,
    ExposureTime,
    Aperture,
    Iso,
    FocusDistance,
    ExposureBias,
    Flash,
    Metering,
    Program,
    Whitebalance,
};
inline constexpr std::size_t kValueListCount = 13;

inline constexpr std::size_t kFirstRangeList = static_cast<std::size_t>(ValueList::Size);
inline constexpr std::size_t kFirstChoiceList = static_cast<std::size_t>(ValueList::Flash);
inline constexpr std::size_t kRangeListCount = kFirstChoiceList - kFirstRangeList;
inline constexpr std::size_t kChoiceListCount = kValueListCount - kFirstChoiceList;

constexpr ValueList valueListOf(Criterion c) {
    return static_cast<ValueList>(static_cast<std::size_t>(c) + 1);
}

// Range lists offer a Max and a Min choice; choice lists a single one that
// starts with "All".
constexpr bool isRangeList(ValueList list) {
    const auto i = static_cast<std::size_t>(list);
    return i >= kFirstRangeList && i < kFirstChoiceList;
}
constexpr bool isChoiceList(ValueList list) { return static_cast<std::size_t>(list) >= kFirstChoiceList; }

// Range lists run largest first, except the aperture: its Max is the
// smallest f-number, so it runs smallest first.
enum class RangeOrder { LargestFirst, SmallestFirst };
constexpr RangeOrder rangeOrderOf(ValueList list) {
    return list == ValueList::Aperture ? RangeOrder::SmallestFirst : RangeOrder::LargestFirst;
}

// An entry of a range list. `value` is the number the bounds take and the
// list sorts on: the width of a size, the integer X of a resolution, else
// the picture's value. `second` is the height of a size or the integer Y of
// a resolution, 0 elsewhere.
struct RangeEntry {
    std::string text;
    double value = 0;
    double second = 0;
};

// An entry of a choice list; "All" has the code -1.
struct ChoiceEntry {
    std::string text;
    std::int32_t code = 0;
};

// A make of the camera list with the models seen for it, alphabetical,
// behind an "All" once there are two or more. The list's first entry is
// "All" itself, with no models.
struct CameraEntry {
    std::string make;
    std::vector<std::string> models;
};

}  // namespace dz
