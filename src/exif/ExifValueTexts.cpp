#include "exif/ExifValueTexts.h"

#include "exif/NumberConversion.h"
#include "exif/TextFormat.h"

namespace dz {

std::string meteringModeName(int code) {
    switch (code) {
    case 1:
        return "average";
    case 2:
        return "center weight";
    case 3:
        return "spot";
    case 4:
        return "multispot";
    case 5:
        return "matrix";
    case 6:
        return "partial";
    default:
        return "unkown";
    }
}

std::string exposureProgramName(int code) {
    switch (code) {
    case 1:
        return "manual";
    case 2:
        return "program (auto)";
    case 3:
        return "aperture priority (semi-auto)";
    case 4:
        return "shutter priority (semi-auto)";
    case 5:
        return "creative program";
    case 6:
        return "action program";
    case 7:
        return "portrait mode";
    case 8:
        return "landscape mode";
    default:
        return "unkown";
    }
}

std::string whitebalanceName(int code) {
    switch (code) {
    case 1:
        return "sunny";
    case 2:
        return "fluorescent";
    case 3:
        return "incandescent";
    default:
        return "cloudy";
    }
}

std::string encodingName(int marker) {
    switch (marker) {
    case 0xC0:
        return "Baseline";
    case 0xC1:
        return "Extended sequential";
    case 0xC2:
        return "Progressive";
    case 0xC3:
        return "Lossless";
    case 0xC5:
        return "Differential sequential";
    case 0xC6:
        return "Differential progressive";
    case 0xC7:
        return "Differential lossless";
    case 0xC9:
        return "Extended sequential, arithmetic coding";
    case 0xCA:
        return "Progressive, arithmetic coding";
    case 0xCB:
        return "Lossless, arithmetic coding";
    case 0xCD:
        return "Differential sequential, arithmetic coding";
    case 0xCE:
        return "Differential progressive, arithmetic coding";
    case 0xCF:
        return "Differential lossless, arithmetic coding";
    default:
        return "Unknown";
    }
}

std::string sizeText(std::int32_t width, std::int32_t height) {
    return formatText("%d x %d", width, height);
}

std::string focalLengthText(float focalLength) { return formatText("%4.1fmm", focalLength); }

std::string resolutionText(float xResolution, float yResolution) {
    return formatText("%5.1f,%5.1f", xResolution, yResolution);
}

std::int32_t exposureFraction(float seconds) {
    return truncateToInt(1 / seconds + 0.5);
}

std::string exposureTimeText(float seconds) {
    if (seconds <= 0.5f) {
        return formatText("(1/%d)~%6.3fs", exposureFraction(seconds), seconds);
    }
    return formatText("%6.3fs", seconds);
}

std::string apertureText(float fNumber) { return formatText("f/%3.1f", fNumber); }

std::string isoText(std::int32_t iso) { return formatText("%2d", iso); }

std::string focusDistanceText(float metres) {
    if (metres < 0) {
        return "Infinite";
    }
    if (metres > 0) {
        return formatText("%4.2fm", metres);
    }
    return {};
}

std::string exposureBiasText(float bias) { return formatText("%4.2f", bias); }

std::string flashText(std::int32_t flashUsed) { return flashUsed != 0 ? "Yes" : "No"; }

std::string cameraText(const std::string& makeOrModel) {
    return formatText("%s", makeOrModel.c_str());
}

}  // namespace dz
