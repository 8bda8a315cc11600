#pragma once

#include "exif/ExifInfo.h"
#include "filter/ValueEntries.h"

#include <optional>

namespace dz {

// The entry one picture gives a range list, none when its value is 0 (the
// size always gives one).
std::optional<RangeEntry> rangeEntryOf(ValueList list, const ExifInfo& picture);

// The entry one picture gives a choice list, none when its code is 0 (the
// flash always gives one: "Yes" 1 or "No" 0).
std::optional<ChoiceEntry> choiceEntryOf(ValueList list, const ExifInfo& picture);

}  // namespace dz
