#include "timeline/ClockOffset.h"

#include <cstdio>
#include <cstdlib>

namespace dz {

namespace {

constexpr int kLargestOffsetHours = 14;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int twoDigits(const std::string& text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

std::optional<int> parseClockOffset(const std::string& text) {
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' || !isDigit(text[1]) ||
        !isDigit(text[2]) || !isDigit(text[4]) || !isDigit(text[5])) {
        return std::nullopt;
    }
    const int hours = twoDigits(text, 1);
    const int minutes = twoDigits(text, 4);
    if (minutes >= 60 || hours * 60 + minutes > kLargestOffsetHours * 60) {
        return std::nullopt;
    }
    const int seconds = (hours * 60 + minutes) * 60;
    return text[0] == '-' ? -seconds : seconds;
}

std::string clockOffsetText(int offsetSeconds) {
    const int minutes = (std::abs(offsetSeconds) + 30) / 60;
    const char sign = offsetSeconds < 0 ? '-' : '+';
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", sign, minutes / 60 % 100, minutes % 60);
    return text;
}

}  // namespace dz
