#pragma once

#include "filter/FilterCriteria.h"
#include "filter/ValueEntries.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace dz {

// The controls of one row of the Advanced Filter window. A single choice has
// no Min choice; the camera row has no check box and no indicator (0).
struct CriterionControls {
    ValueList list;
    const char* label;
    int maxChoice;
    int minChoice;
    int checkBox;
    int reset;
    int indicator;
};

// The rows in the window's order, top to bottom.
inline constexpr std::array<CriterionControls, kValueListCount> kFilterRows{{
    {ValueList::Camera, "Camera/Model", 1074, 1075, 0, 1128, 0},
    {ValueList::Size, "Width x Height", 1080, 1081, 1125, 1127, 1151},
    {ValueList::Flash, "Flash Used", 1082, 0, 1143, 1148, 1159},
    {ValueList::Resolution, "X,Y resolution(dpi)", 1083, 1084, 1138, 1131, 1154},
    {ValueList::FocalLength, "Focal Lenght", 1085, 1086, 1136, 1129, 1152},
    {ValueList::ExposureTime, "Exposure Time", 1087, 1088, 1139, 1132, 1155},
    {ValueList::Aperture, "ApertureFNumber", 1089, 1090, 1137, 1130, 1153},
    {ValueList::Iso, "ISO equiv.", 1091, 1092, 1141, 1134, 1157},
    {ValueList::Metering, "Metering Mode", 1093, 0, 1146, 1135, 1158},
    {ValueList::Program, "Exposure Program", 1095, 0, 1144, 1150, 1162},
    {ValueList::Whitebalance, "Whitebalance", 1096, 0, 1145, 1149, 1161},
    {ValueList::ExposureBias, "Exposure bias", 1098, 1099, 1142, 1147, 1160},
    {ValueList::FocusDistance, "Focus Distance", 1094, 1097, 1140, 1133, 1156},
}};

// The row of a value list.
const CriterionControls& filterRow(ValueList list);
// The criterion behind a value list; none for the camera list.
std::optional<Criterion> criterionOf(ValueList list);
// The row whose control (any of its ids) is `id`; null when none.
const CriterionControls* filterRowOfControl(int id);

// The pictures an indicator shows.
inline constexpr int kIndicatorUnset = 133;   // before the first update
inline constexpr int kIndicatorChosen = 144;  // a value is chosen
inline constexpr int kIndicatorActive = 145;  // on, no value chosen
inline constexpr int kIndicatorOff = 169;     // off, or no values to offer

// A small round lamp for an indicator state, as top-down rows of red, green,
// blue bytes of kIndicatorSize x kIndicatorSize.
inline constexpr int kIndicatorSize = 12;
std::vector<std::uint8_t> indicatorPicture(int state);
// A word for the indicator's tool tip.
const char* indicatorMeaning(int state);

}  // namespace dz
