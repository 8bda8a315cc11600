#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dz {

// A date and time that a phone, camera or messenger wrote into a file name:
// "IMG_20240711_130000", "PXL_20240711_130000123", "IMG-20240711-WA0001",
// "Screenshot_20240711-130000", "Screenshot 2024-07-11 at 13.00.00",
// "2024-07-11 13.00.00" and the like.
struct FileNameDate {
    // "YYYY:MM:DD HH:MM:SS", local time.
    std::string dateTime;
    // False for a date alone, which stands at noon of its day.
    bool timeKnown = true;
};

// The first valid date of `name` (a file name without folders), the time
// after it where there is one; a Pixel's "PXL_" name holds UTC and is
// turned into the computer's local time. Nothing when the name holds no
// date between 1990 and 2099.
std::optional<FileNameDate> dateInFileName(std::string_view name);

}  // namespace dz
