#pragma once

#include <cstdint>
#include <string>

namespace dz {

// A populated place of the gazetteer, as it names a picture's position and
// gives the time zone there.
struct Place {
    std::string name;         // "Kyoto"
    std::string region;       // the state or province; may be empty
    std::string country;      // "Japan"
    std::string countryCode;  // "JP"
    std::string zone;         // the IANA time zone, "Asia/Tokyo"
    double latitude = 0.0;    // degrees, north positive
    double longitude = 0.0;   // degrees, east positive
    std::uint32_t population = 0;
};

}  // namespace dz
