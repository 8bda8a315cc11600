#include "filter/PictureEntries.h"

#include "exif/ExifValueTexts.h"
#include "exif/NumberConversion.h"

#include <cassert>
#include <string>

namespace dz {
namespace {

std::optional<RangeEntry> entryUnlessZero(float value, std::string (*text)(float)) {
    if (value == 0) {
        return std::nullopt;
    }
    return RangeEntry{text(value), value, 0};
}

std::optional<ChoiceEntry> codeEntryUnlessZero(std::int32_t code, std::string (*name)(int)) {
    if (code == 0) {
        return std::nullopt;
    }
    return ChoiceEntry{name(code), code};
}

}  // namespace

std::optional<RangeEntry> rangeEntryOf(ValueList list, const ExifInfo& p) {
    switch (list) {
    case ValueList::Size:
        return RangeEntry{sizeText(p.width, p.height), static_cast<double>(p.width),
                          static_cast<double>(p.height)};
    case ValueList::FocalLength:
        return entryUnlessZero(p.focalLength, focalLengthText);
    case ValueList::Resolution:
        if (p.xResolution == 0) {
            return std::nullopt;
        }
        // The bounds are whole dots per inch, so the entry keeps integer parts.
        return RangeEntry{resolutionText(p.xResolution, p.yResolution),
                          static_cast<double>(truncateToInt(p.xResolution)),
                          static_cast<double>(truncateToInt(p.yResolution))};
    case ValueList::ExposureTime:
        return entryUnlessZero(p.exposureTime, exposureTimeText);
    case ValueList::Aperture:
        return entryUnlessZero(p.apertureFNumber, apertureText);
    case ValueList::Iso:
        if (p.isoEquivalent == 0) {
            return std::nullopt;
        }
        return RangeEntry{isoText(p.isoEquivalent), static_cast<double>(p.isoEquivalent), 0};
    case ValueList::FocusDistance:
        return entryUnlessZero(p.focusDistance, focusDistanceText);
    case ValueList::ExposureBias:
        return entryUnlessZero(p.exposureBias, exposureBiasText);
    default:
        assert(!"not a range list");
        return std::nullopt;
    }
}

std::optional<ChoiceEntry> choiceEntryOf(ValueList list, const ExifInfo& p) {
    switch (list) {
    case ValueList::Flash:
        return ChoiceEntry{flashText(p.flashUsed), p.flashUsed != 0 ? 1 : 0};
    case ValueList::Metering:
        return codeEntryUnlessZero(p.meteringMode, meteringModeName);
    case ValueList::Program:
        return codeEntryUnlessZero(p.exposureProgram, exposureProgramName);
    case ValueList::Whitebalance:
        return codeEntryUnlessZero(p.whitebalance, whitebalanceName);
    default:
        assert(!"not a choice list");
        return std::nullopt;
    }
}

}  // namespace dz
