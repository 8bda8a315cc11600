#include "filter/FilterMatch.h"

#include <string>

namespace dz {
namespace {

const std::string kAll = "All";

bool passesCamera(const FilterCriteria& criteria, const ExifInfo& picture) {
    if (picture.cameraMake != criteria.camera) {
        return false;
    }
    return criteria.model == kAll || picture.cameraModel == criteria.model;
}

// One criterion's test: not made when its Max is 0 or its choice -1.
struct TestOutcome {
    bool made;
    bool passes;
};

template <typename T>
TestOutcome range(T max, T min, T value) {
    if (max == 0) {
        return {false, true};
    }
    return {true, min <= value && value <= max};
}

// The aperture pair is reversed: Max holds the smaller f-number.
TestOutcome reversedRange(float max, float min, float value) {
    if (max == 0) {
        return {false, true};
    }
    return {true, max <= value && value <= min};
}

TestOutcome choice(std::int32_t chosen, std::int32_t code) {
    if (chosen == -1) {
        return {false, true};
    }
    return {true, code == chosen};
}

TestOutcome testCriterion(Criterion c, const FilterCriteria& f, const ExifInfo& p) {
    switch (c) {
    case Criterion::Width:
        return range(f.widthMax, f.widthMin, p.width);
    case Criterion::FocalLength:
        return range(f.focalLengthMax, f.focalLengthMin, p.focalLength);
    case Criterion::Resolution:
        return range(f.resolutionMax, f.resolutionMin, p.xResolution);
    case Criterion::ExposureTime:
        return range(f.exposureTimeMax, f.exposureTimeMin, p.exposureTime);
    case Criterion::Aperture:
        return reversedRange(f.apertureMax, f.apertureMin, p.apertureFNumber);
    case Criterion::Iso:
        return range(f.isoMax, f.isoMin, p.isoEquivalent);
    case Criterion::FocusDistance:
        return range(f.focusDistanceMax, f.focusDistanceMin, p.focusDistance);
    case Criterion::ExposureBias:
        return range(f.exposureBiasMax, f.exposureBiasMin, p.exposureBias);
    case Criterion::Flash:
        return choice(f.flashChoice, p.flashUsed);
    case Criterion::Metering:
        return choice(f.meteringChoice, p.meteringMode);
    case Criterion::Program:
        return choice(f.programChoice, p.exposureProgram);
    case Criterion::Whitebalance:
        return choice(f.whitebalanceChoice, p.whitebalance);
    }
    return {false, true};
}

}  // namespace

bool picturePassesFilter(const FilterCriteria& criteria, const UseFlags& shown, const ExifInfo& picture,
                         TestedCriteria* tested) {
    if (criteria.camera != kAll) {
        if (tested != nullptr) {
            tested->camera = true;
        }
        if (!passesCamera(criteria, picture)) {
            return false;
        }
    }
    if (criteria.enabled == 0) {
        return true;
    }
    for (std::size_t i = 0; i < kCriterionCount; ++i) {
        if (!shown[i]) {
            continue;
        }
        const TestOutcome test = testCriterion(static_cast<Criterion>(i), criteria, picture);
        if (test.made && tested != nullptr) {
            tested->criterion[i] = true;
        }
        if (!test.passes) {
            return false;
        }
    }
    return true;
}

void resetCriteria(FilterCriteria& criteria) {
    criteria.widthMax = 0;
    criteria.widthMin = 0;
    criteria.resolutionMax = 0;
    criteria.resolutionMin = 0;
    criteria.flashChoice = -1;
    criteria.focalLengthMax = 0;
    criteria.focalLengthMin = 0;
    criteria.exposureTimeMax = 0;
    criteria.exposureTimeMin = 0;
    criteria.apertureMax = 0;
    criteria.apertureMin = 0;
    criteria.isoMax = 0;
    criteria.isoMin = 0;
    criteria.focusDistanceMax = 0;
    criteria.focusDistanceMin = 0;
    criteria.whitebalanceChoice = -1;
    criteria.meteringChoice = -1;
    criteria.programChoice = -1;
    criteria.exposureBiasMax = 0;
    criteria.exposureBiasMin = 0;
}

}  // namespace dz
