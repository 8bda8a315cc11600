#include "filter/CriterionBounds.h"

#include <cassert>
#include <cstdint>

namespace dz {
namespace {

struct FloatPair {
    float FilterCriteria::*max;
    float FilterCriteria::*min;
};

// The float pairs by criterion; width and ISO are whole numbers and handled apart.
FloatPair floatPair(Criterion c) {
    switch (c) {
    case Criterion::FocalLength:
        return {&FilterCriteria::focalLengthMax, &FilterCriteria::focalLengthMin};
    case Criterion::Resolution:
        return {&FilterCriteria::resolutionMax, &FilterCriteria::resolutionMin};
    case Criterion::ExposureTime:
        return {&FilterCriteria::exposureTimeMax, &FilterCriteria::exposureTimeMin};
    case Criterion::Aperture:
        return {&FilterCriteria::apertureMax, &FilterCriteria::apertureMin};
    case Criterion::FocusDistance:
        return {&FilterCriteria::focusDistanceMax, &FilterCriteria::focusDistanceMin};
    case Criterion::ExposureBias:
        return {&FilterCriteria::exposureBiasMax, &FilterCriteria::exposureBiasMin};
    default:
        assert(!"not a float range");
        return {&FilterCriteria::focalLengthMax, &FilterCriteria::focalLengthMin};
    }
}

std::int32_t FilterCriteria::*choiceField(Criterion c) {
    switch (c) {
    case Criterion::Flash:
        return &FilterCriteria::flashChoice;
    case Criterion::Metering:
        return &FilterCriteria::meteringChoice;
    case Criterion::Program:
        return &FilterCriteria::programChoice;
    default:
        return &FilterCriteria::whitebalanceChoice;
    }
}

}  // namespace

bool isChoiceCriterion(Criterion c) {
    return c == Criterion::Flash || c == Criterion::Metering || c == Criterion::Program ||
           c == Criterion::Whitebalance;
}

double maxBound(const FilterCriteria& f, Criterion c) {
    if (isChoiceCriterion(c)) {
        return choiceOf(f, c);
    }
    if (c == Criterion::Width) {
        return f.widthMax;
    }
    if (c == Criterion::Iso) {
        return f.isoMax;
    }
    return f.*floatPair(c).max;
}

double minBound(const FilterCriteria& f, Criterion c) {
    if (isChoiceCriterion(c)) {
        return choiceOf(f, c);
    }
    if (c == Criterion::Width) {
        return f.widthMin;
    }
    if (c == Criterion::Iso) {
        return f.isoMin;
    }
    return f.*floatPair(c).min;
}

void setBounds(FilterCriteria& f, Criterion c, double max, double min) {
    if (isChoiceCriterion(c)) {
        setChoice(f, c, static_cast<std::int32_t>(max));
        return;
    }
    if (c == Criterion::Width) {
        f.widthMax = static_cast<std::int32_t>(max);
        f.widthMin = static_cast<std::int32_t>(min);
        return;
    }
    if (c == Criterion::Iso) {
        f.isoMax = static_cast<std::int32_t>(max);
        f.isoMin = static_cast<std::int32_t>(min);
        return;
    }
    const FloatPair pair = floatPair(c);
    f.*pair.max = static_cast<float>(max);
    f.*pair.min = static_cast<float>(min);
}

std::int32_t choiceOf(const FilterCriteria& f, Criterion c) {
    assert(isChoiceCriterion(c));
    return f.*choiceField(c);
}

void setChoice(FilterCriteria& f, Criterion c, std::int32_t code) {
    assert(isChoiceCriterion(c));
    f.*choiceField(c) = code;
}

void clearCriterion(FilterCriteria& f, Criterion c) {
    if (isChoiceCriterion(c)) {
        setChoice(f, c, -1);
        return;
    }
    setBounds(f, c, 0, 0);
}

bool holdsValue(const FilterCriteria& f, Criterion c) {
    if (isChoiceCriterion(c)) {
        return choiceOf(f, c) != -1;
    }
    return maxBound(f, c) != 0;
}

}  // namespace dz
