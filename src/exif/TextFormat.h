#pragma once

#include <string>

namespace dz {

// printf-style formatting into a string of whatever length the values need.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace dz
