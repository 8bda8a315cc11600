#include "formats/Iso6709.h"

#include <algorithm>
#include <optional>

namespace dz {

namespace {

// Fraction digits beyond these change no double; they are skipped.
constexpr std::size_t kFractionDigits = 15;
// Whole digits of an altitude: more is no place on earth, nor in the air.
constexpr std::size_t kAltitudeDigits = 6;

// One signed number as written: its whole digits and those of its fraction.
struct Written {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view digitsAt(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return text.substr(start, pos - start);
}

// A sign, digits, and a fraction when a point follows; `pos` moves past it.
std::optional<Written> numberAt(std::string_view text, std::size_t& pos) {
    if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) {
        return std::nullopt;
    }
    Written n;
    n.negative = text[pos] == '-';
    ++pos;
    n.whole = digitsAt(text, pos);
    if (n.whole.empty()) {
        return std::nullopt;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        n.fraction = digitsAt(text, pos);
        if (n.fraction.empty()) {
            return std::nullopt;
        }
    }
    return n;
}

// Digits read as a whole number; callers keep them short.
double wholeOf(std::string_view digits) {
    double value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

double fractionOf(std::string_view digits) {
    double value = 0;
    double scale = 1;
    for (std::size_t i = 0; i < digits.size() && i < kFractionDigits; ++i) {
        scale /= 10;
        value += (digits[i] - '0') * scale;
    }
    return value;
}

// Degrees of a latitude (`degreeDigits` 2, at most 90) or a longitude (3, at
// most 180): the whole digits are degrees, degrees and minutes, or degrees,
// minutes and seconds, and the fraction belongs to the last of them.
std::optional<double> coordinate(const Written& n, std::size_t degreeDigits, double limit) {
    const std::size_t extra = n.whole.size() - std::min(n.whole.size(), degreeDigits);
    if (n.whole.size() < degreeDigits || (extra != 0 && extra != 2 && extra != 4)) {
        return std::nullopt;
    }
    const double fraction = fractionOf(n.fraction);
    double value = wholeOf(n.whole.substr(0, degreeDigits));
    if (extra == 0) {
        value += fraction;
    } else {
        const double minutes = wholeOf(n.whole.substr(degreeDigits, 2));
        const double seconds = extra == 4 ? wholeOf(n.whole.substr(degreeDigits + 2, 2)) : 0;
        if (minutes >= 60 || seconds >= 60) {
            return std::nullopt;
        }
        value += (extra == 2 ? minutes + fraction : minutes + (seconds + fraction) / 60) / 60;
    }
    if (value > limit) {
        return std::nullopt;
    }
    return n.negative ? -value : value;
}

}  // namespace

ShotPosition positionOfIso6709(std::string_view text) {
    ShotPosition position;
    std::size_t pos = 0;
    const auto latitudeText = numberAt(text, pos);
    const auto longitudeText = latitudeText ? numberAt(text, pos) : std::nullopt;
    if (!longitudeText) {
        return position;
    }
    const auto latitude = coordinate(*latitudeText, 2, 90);
    const auto longitude = coordinate(*longitudeText, 3, 180);
    if (!latitude || !longitude) {
        return position;
    }
    std::optional<double> altitude;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        const auto height = numberAt(text, pos);
        if (!height || height->whole.size() > kAltitudeDigits) {
            return position;
        }
        const double metres = wholeOf(height->whole) + fractionOf(height->fraction);
        altitude = height->negative ? -metres : metres;
    }
    // The reference system's name, when one is given, runs to the "/".
    if (text.substr(pos, 3) == "CRS") {
        while (pos < text.size() && text[pos] != '/') {
            ++pos;
        }
    }
    if (pos >= text.size() || text[pos] != '/') {
        return position;
    }
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != ' ' && text[pos] != '\n' && text[pos] != '\r' && text[pos] != '\t') {
            return position;
        }
    }
    position.known = true;
    position.latitude = *latitude;
    position.longitude = *longitude;
    position.hasAltitude = altitude.has_value();
    position.altitude = altitude.value_or(0);
    return position;
}

}  // namespace dz
