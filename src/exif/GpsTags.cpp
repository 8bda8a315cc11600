#include "exif/GpsTags.h"

#include "exif/ExifText.h"

#include <cstdio>

namespace dz {

namespace {

constexpr int kAscii = 2;
constexpr int kByte = 1;
constexpr int kRational = 5;

constexpr int kTagLatitudeRef = 0x0001;
constexpr int kTagLatitude = 0x0002;
constexpr int kTagLongitudeRef = 0x0003;
constexpr int kTagLongitude = 0x0004;
constexpr int kTagAltitudeRef = 0x0005;
constexpr int kTagAltitude = 0x0006;
constexpr int kTagTimeStamp = 0x0007;
constexpr int kTagDateStamp = 0x001D;

struct Rational {
    std::uint32_t numerator = 0;
    std::uint32_t denominator = 0;
    double value() const { return static_cast<double>(numerator) / denominator; }
};

// The first `N` unsigned rationals of a RATIONAL value, each with a
// denominator that is not 0; nothing for any other value.
template <std::size_t N>
std::optional<std::array<Rational, N>> rationals(int format, const ExifByteReader& value) {
    if (format != kRational) {
        return std::nullopt;
    }
    std::array<Rational, N> out;
    for (std::size_t i = 0; i < N; ++i) {
        const auto numerator = value.u32(8 * i);
        const auto denominator = value.u32(8 * i + 4);
        if (!numerator || !denominator || *denominator == 0) {
            return std::nullopt;
        }
        out[i] = {*numerator, *denominator};
    }
    return out;
}

std::optional<double> degrees(int format, const ExifByteReader& value) {
    const auto parts = rationals<3>(format, value);
    if (!parts) {
        return std::nullopt;
    }
    return (*parts)[0].value() + (*parts)[1].value() / 60 + (*parts)[2].value() / 3600;
}

// The one letter of a reference text ("N\0"), when it is one of the two.
char reference(int format, const ExifByteReader& value, char positive, char negative) {
    if (format != kAscii) {
        return 0;
    }
    const std::string text = copyText(value, 2);
    return text.size() == 1 && (text[0] == positive || text[0] == negative) ? text[0] : 0;
}

std::optional<std::array<std::uint32_t, 3>> timeOfDay(int format, const ExifByteReader& value) {
    const auto parts = rationals<3>(format, value);
    if (!parts) {
        return std::nullopt;
    }
    // Whole units, the seconds rounded down; 60 is a leap second.
    const std::array<std::uint32_t, 3> time = {(*parts)[0].numerator / (*parts)[0].denominator,
                                               (*parts)[1].numerator / (*parts)[1].denominator,
                                               (*parts)[2].numerator / (*parts)[2].denominator};
    if (time[0] >= 24 || time[1] >= 60 || time[2] >= 61) {
        return std::nullopt;
    }
    return time;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// "YYYY:MM:DD" of a real day; empty for anything else.
std::string dateStamp(int format, const ExifByteReader& value) {
    if (format != kAscii) {
        return {};
    }
    const std::string text = copyText(value, 11);
    if (text.size() != 10 || text[4] != ':' || text[7] != ':') {
        return {};
    }
    int fields[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f) {
        for (std::size_t i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return {};
            }
            fields[f] = fields[f] * 10 + (text[i] - '0');
        }
    }
    const auto [year, month, day] = fields;
    if (year == 0 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return {};
    }
    return text;
}

}  // namespace

void takeGpsTag(GpsTags& gps, int tag, int format, const ExifByteReader& value) {
    switch (tag) {
    case kTagLatitudeRef:
        gps.latitudeRef = reference(format, value, 'N', 'S');
        break;
    case kTagLatitude:
        gps.latitude = degrees(format, value);
        break;
    case kTagLongitudeRef:
        gps.longitudeRef = reference(format, value, 'E', 'W');
        break;
    case kTagLongitude:
        gps.longitude = degrees(format, value);
        break;
    case kTagAltitudeRef:
        gps.altitudeRef = format == kByte ? value.u8(0) : std::nullopt;
        break;
    case kTagAltitude:
        if (const auto metres = rationals<1>(format, value)) {
            gps.altitude = (*metres)[0].value();
        } else {
            gps.altitude.reset();
        }
        break;
    case kTagTimeStamp:
        gps.time = timeOfDay(format, value);
        break;
    case kTagDateStamp:
        gps.date = dateStamp(format, value);
        break;
    default:
        break;
    }
}

ShotPosition gpsPosition(const GpsTags& gps) {
    ShotPosition position;
    if (gps.latitudeRef == 0 || gps.longitudeRef == 0 || !gps.latitude || !gps.longitude ||
        *gps.latitude > 90 || *gps.longitude > 180) {
        return position;
    }
    position.known = true;
    position.latitude = gps.latitudeRef == 'S' ? -*gps.latitude : *gps.latitude;
    position.longitude = gps.longitudeRef == 'W' ? -*gps.longitude : *gps.longitude;
    // Like a coordinate's, the height's reference says on which side it
    // lies: without it, or with one of another meaning, the height is unknown.
    if (gps.altitude && gps.altitudeRef && *gps.altitudeRef <= 1) {
        position.hasAltitude = true;
        position.altitude = *gps.altitudeRef == 1 ? -*gps.altitude : *gps.altitude;
    }
    return position;
}

std::string gpsDateTime(const GpsTags& gps) {
    if (gps.date.empty() || !gps.time) {
        return {};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%s %02u:%02u:%02u", gps.date.c_str(), static_cast<unsigned>((*gps.time)[0]),
                  static_cast<unsigned>((*gps.time)[1]), static_cast<unsigned>((*gps.time)[2]));
    return text;
}

}  // namespace dz
