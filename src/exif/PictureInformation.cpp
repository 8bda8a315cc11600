#include "exif/PictureInformation.h"

#include "exif/ExifValueTexts.h"
#include "exif/NumberConversion.h"
#include "exif/TextFormat.h"

#include <algorithm>

namespace dz {

namespace {

const char* whitebalanceLine(int code) {
    switch (code) {
    case 1:
        return "Whitebalance : sunny";
    case 2:
        return "Whitebalance : fluorescent";
    case 3:
        return "Whitebalance : incandescent";
    default:
        return "Whitebalance : cloudy";
    }
}

const char* meteringModeLine(int code) {
    switch (code) {
    case 1:
        return "Metering Mode: average";
    case 2:
        return "Metering Mode: center weight";
    case 3:
        return "Metering Mode: spot";
    case 4:
        return "Metering Mode: multispot";
    case 5:
        return "Metering Mode: matrix";
    case 6:
        return "Metering Mode: partial";
    default:
        return nullptr;
    }
}

const char* exposureProgramLine(int code) {
    switch (code) {
    case 1:
        return "Exposure     : manual";
    case 2:
        return "Exposure     : program (auto)";
    case 3:
        return "Exposure     : aperture priority (semi-auto)";
    case 4:
        return "Exposure     : shutter priority (semi-auto)";
    case 5:
        return "Exposure     : creative program(biased toward depth of field)";
    case 6:
        return "Exposure     : action program (biased toward fast shutter speed)";
    case 7:
        return "Exposure     : portrait mode";
    case 8:
        return "Exposure     : landscape mode";
    default:
        return nullptr;
    }
}

const char* jpegQualityLine(int quality) {
    switch (quality) {
    case 1:
        return "Jpeg Quality : basic";
    case 2:
        return "Jpeg Quality : normal";
    case 4:
        return "Jpeg Quality : fine";
    default:
        return nullptr;
    }
}

void addLine(std::vector<std::string>& lines, const char* line) {
    if (line != nullptr) {
        lines.emplace_back(line);
    }
}

// One list line per comment line; a closing line feed starts no empty line.
void addCommentLines(std::vector<std::string>& lines, const std::string& comment) {
    static constexpr std::size_t kShownChars = 1000;
    const std::string shown = comment.substr(0, std::min(comment.size(), kShownChars));
    std::string line;
    for (const char c : shown) {
        if (c == '\n') {
            lines.push_back("Comment      : " + line);
            line.clear();
            continue;
        }
        line.push_back(c);
    }
    if (!line.empty()) {
        lines.push_back("Comment      : " + line);
    }
}

}  // namespace

std::vector<std::string> pictureInformationLines(const ExifInfo& info, const std::string& dateText,
                                                 const std::string& timeText) {
    std::vector<std::string> lines;
    if (!info.cameraMake.empty()) {
        lines.push_back(formatText("Camera make  : %s", info.cameraMake.c_str()));
        lines.push_back(formatText("Camera model : %s", info.cameraModel.c_str()));
    }
    if (!info.dateTime.empty()) {
        lines.push_back(formatText("Date: %s", dateText.c_str()));
        lines.push_back(formatText("Time: %s", timeText.c_str()));
    }
    if (!info.exifVersion.empty()) {
        lines.push_back(formatText("Exif version : %s", info.exifVersion.c_str()));
    }
    lines.push_back(formatText("Width x Height   : %d x %d", info.width, info.height));
    if (info.resolutionUnit != 0) {
        if (info.xResolution != 0) {
            lines.push_back(
                formatText("X resolution (dpi) : %5.1f", info.xResolution / info.resolutionUnit));
        }
        if (info.yResolution != 0) {
            lines.push_back(
                formatText("Y resolution (dpi) : %5.1f", info.yResolution / info.resolutionUnit));
        }
    }
    lines.emplace_back(info.isColor != 0 ? "Color/bw     : Color" : "Color/bw     : Black and white");
    if (info.flashUsed >= 0) {
        lines.push_back(formatText("Flash used   : %s", flashText(info.flashUsed).c_str()));
    }
    if (info.focalLength != 0) {
        lines.push_back(formatText("Focal length : %4.1fmm", info.focalLength));
        if (info.ccdWidth != 0) {
            const std::int32_t equivalent =
                truncateToInt(info.focalLength / info.ccdWidth * 36 + 0.5);
            lines.push_back(formatText("  (35mm equivalent: %dmm)", equivalent));
        }
    }
    if (info.ccdWidth != 0) {
        lines.push_back(formatText("CCD width    : %4.2fmm", info.ccdWidth));
    }
    if (info.exposureTime != 0) {
        std::string line = formatText("Exposure time:%6.3f s ", info.exposureTime);
        if (info.exposureTime <= 0.5f) {
            line += formatText(" (1/%d)", exposureFraction(info.exposureTime));
        }
        lines.push_back(std::move(line));
    }
    if (info.brightness != 0) {
        lines.push_back(formatText("Brightness : %6.3f", info.brightness));
    }
    if (info.apertureFNumber != 0) {
        lines.push_back(formatText("Aperture     : f/%3.1f", info.apertureFNumber));
    }
    if (info.focusDistance < 0) {
        lines.emplace_back("Focus dist.  : Infinite");
    } else if (info.focusDistance > 0) {
        lines.push_back(formatText("Focus dist.  : %4.2fm", info.focusDistance));
    }
    if (info.isoEquivalent != 0) {
        lines.push_back(formatText("ISO equiv.   : %2d", info.isoEquivalent));
    }
    if (info.exposureBias != 0) {
        lines.push_back(formatText("Exposure bias:%4.2f", info.exposureBias));
    }
    if (info.whitebalance != 0) {
        addLine(lines, whitebalanceLine(info.whitebalance));
    }
    addLine(lines, meteringModeLine(info.meteringMode));
    addLine(lines, exposureProgramLine(info.exposureProgram));
    addLine(lines, jpegQualityLine(info.jpegQuality));
    lines.push_back("Encoding      : " + encodingName(info.encodingMarker));
    if (!info.comment.empty()) {
        addCommentLines(lines, info.comment);
    }
    return lines;
}

}  // namespace dz
