#include "LocalStamp.h"

#include "platform/TimeZone.h"

#include <ctime>

namespace dz::test {

std::int64_t localStamp(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return fileTimeFromUnix(::timegm(&fields)) +
           static_cast<std::int64_t>(currentTimeZone().totalBiasMinutes()) * 600000000LL;
}

std::string littleEndianWords(std::initializer_list<std::uint32_t> values) {
    std::string bytes;
    for (std::uint32_t v : values) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    }
    return bytes;
}

}  // namespace dz::test
