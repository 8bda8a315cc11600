#pragma once

#include "exif/ExifInfo.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// The criteria with a use flag, in the order of the flags and of the tests.
enum class Criterion : std::size_t {
    Width,
    FocalLength,
    Resolution,
    ExposureTime,
    Aperture,
    Iso,
    FocusDistance,
    ExposureBias,
    Flash,
    Metering,
    Program,
    Whitebalance,
};
inline constexpr std::size_t kCriterionCount = 12;

// The EXIF conditions of one album. A zero Max bound, or a choice of -1,
// switches its criterion off.
struct FilterCriteria {
    std::int32_t enabled = 0;
    std::string camera = "All";
    std::string model;
    std::int32_t widthMax = 0;
    std::int32_t widthMin = 0;
    float resolutionMax = 0;
    float resolutionMin = 0;
    std::int32_t flashChoice = -1;
    float focalLengthMax = 0;
    float focalLengthMin = 0;
    float exposureTimeMax = 0;
    float exposureTimeMin = 0;
    // The aperture pair is reversed: Max holds the smaller f-number.
    float apertureMax = 0;
    float apertureMin = 0;
    std::int32_t isoMax = 0;
    std::int32_t isoMin = 0;
    float focusDistanceMax = 0;
    float focusDistanceMin = 0;
    std::int32_t whitebalanceChoice = -1;
    std::int32_t meteringChoice = -1;
    std::int32_t programChoice = -1;
    float exposureBiasMax = 0;
    float exposureBiasMin = 0;
    // The Advanced Filter window's check boxes as last stored, indexed by Criterion.
    std::array<std::int32_t, kCriterionCount> use{};
    std::int32_t liveUpdate = 1;

    std::int32_t& useFlag(Criterion c) { return use[static_cast<std::size_t>(c)]; }
    std::int32_t useFlag(Criterion c) const { return use[static_cast<std::size_t>(c)]; }

    bool operator==(const FilterCriteria&) const = default;
};

// The use flags the open Advanced Filter window shows, indexed by Criterion.
using UseFlags = std::array<bool, kCriterionCount>;

// Which tests a matching run made, for the Advanced Filter window's indicators.
struct TestedCriteria {
    bool camera = false;
    std::array<bool, kCriterionCount> criterion{};
};

}  // namespace dz
