#pragma once

#include "exif/ExifInfo.h"

#include <string>
#include <vector>

namespace dz {

// The lines of the picture information list, top to bottom. `dateText` and
// `timeText` are the shot time already formatted in the chosen date and time
// formats; they are shown only when the record has a shot time.
std::vector<std::string> pictureInformationLines(const ExifInfo& info, const std::string& dateText,
                                                 const std::string& timeText);

}  // namespace dz
