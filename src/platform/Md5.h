#pragma once

#include <string>
#include <string_view>

namespace dz {

// MD5 of some bytes as 32 lower-case hex digits. Only for names that other
// programs compute the same way (the shared thumbnail cache), never for checks.
std::string md5Hex(std::string_view bytes);

}  // namespace dz
