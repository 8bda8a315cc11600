#include "filter/FilterControls.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dz {

const CriterionControls& filterRow(ValueList list) {
    const auto it = std::find_if(kFilterRows.begin(), kFilterRows.end(),
                                 [&](const CriterionControls& row) { return row.list == list; });
    return *it;
}

std::optional<Criterion> criterionOf(ValueList list) {
    if (list == ValueList::Camera) {
        return std::nullopt;
    }
    return static_cast<Criterion>(static_cast<std::size_t>(list) - 1);
}

const CriterionControls* filterRowOfControl(int id) {
    if (id == 0) {
        return nullptr;
    }
    const auto it = std::find_if(kFilterRows.begin(), kFilterRows.end(), [&](const CriterionControls& row) {
        return row.maxChoice == id || row.minChoice == id || row.checkBox == id || row.reset == id ||
               row.indicator == id;
    });
    return it == kFilterRows.end() ? nullptr : &*it;
}

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

Rgb lampColour(int state) {
    switch (state) {
    case kIndicatorChosen:
        return {0x20, 0xb0, 0x20};
    case kIndicatorActive:
        return {0xe0, 0xb0, 0x10};
    case kIndicatorOff:
        return {0x90, 0x90, 0x90};
    default:
        return {0xe8, 0xe8, 0xe8};
    }
}

}  // namespace

std::vector<std::uint8_t> indicatorPicture(int state) {
    const Rgb lamp = lampColour(state);
    const Rgb back{0xf0, 0xf0, 0xf0};
    std::vector<std::uint8_t> pixels;
    pixels.reserve(kIndicatorSize * kIndicatorSize * 3);
    const double centre = (kIndicatorSize - 1) / 2.0;
    const double radius = kIndicatorSize / 2.0 - 0.5;
    for (int y = 0; y < kIndicatorSize; ++y) {
        for (int x = 0; x < kIndicatorSize; ++x) {
            const double dx = x - centre;
            const double dy = y - centre;
            const Rgb c = dx * dx + dy * dy <= radius * radius ? lamp : back;
            pixels.push_back(c.r);
            pixels.push_back(c.g);
            pixels.push_back(c.b);
        }
    }
    return pixels;
}

const char* indicatorMeaning(int state) {
    switch (state) {
    case kIndicatorChosen:
        return "Value chosen";
    case kIndicatorActive:
        return "Active, no value chosen";
    case kIndicatorOff:
        return "Off";
    default:
        return "";
    }
}

}  // namespace dz
