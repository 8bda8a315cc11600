#include "albums/AlbumDetails.h"

#include "albums/AlbumMembership.h"

#include "albums/AlbumTotals.h"
#include "albums/DateTimeText.h"
#include "exif/ExifValueTexts.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace dz {

namespace {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

const char* yesNo(std::int32_t flag) {
    return flag != 0 ? "Yes" : "No";
}

bool startsWithSeparator(const std::string& dirName) {
    return !dirName.empty() && (dirName.front() == '\\' || dirName.front() == '/');
}

std::string withForwardSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// A range criterion: "Not activated" for a zero Max, one line when both ends
// are equal, else a Max line and a Min line.
template <typename T, typename Text>
void addRange(std::vector<std::string>& lines, const char* label, T max, T min, Text text) {
    if (max == 0) {
        lines.push_back(std::string(label) + ": Not activated");
        return;
    }
    if (max == min) {
        lines.push_back(std::string(label) + ": " + text(max));
        return;
    }
    lines.push_back("Max " + std::string(label) + ": " + text(max));
    lines.push_back("Min " + std::string(label) + ": " + text(min));
}

// Exposure times as the details show them: the fraction is 1/v rounded half up.
std::string exposureDetailText(float v) {
    if (v <= 0.5f) {
        return format("(1/%d)~%6.3fs", exposureFraction(v), static_cast<double>(v));
    }
    return format("%6.3fs", static_cast<double>(v));
}

void addFilterLines(std::vector<std::string>& lines, const FilterCriteria& f) {
    auto on = [&](Criterion c) { return f.useFlag(c) != 0; };
    auto fixed = [](const char* pattern) {
        return [pattern](double v) { return format(pattern, v); };
    };
    if (on(Criterion::Width)) {
        addRange(lines, "Width", f.widthMax, f.widthMin, [](std::int32_t v) { return format("%d", v); });
    }
    if (on(Criterion::Aperture)) {
        addRange(lines, "ApertureFNumber", static_cast<double>(f.apertureMax), static_cast<double>(f.apertureMin),
                 fixed("f/%2.1f"));
    }
    if (on(Criterion::FocusDistance)) {
        addRange(lines, "Focal Distance", static_cast<double>(f.focusDistanceMax),
                 static_cast<double>(f.focusDistanceMin), fixed("%2.1fm"));
    }
    if (on(Criterion::Resolution)) {
        addRange(lines, "X,Y resolution", static_cast<double>(f.resolutionMax), static_cast<double>(f.resolutionMin),
                 [](double v) { return format("%d", static_cast<int>(v)); });
    }
    if (on(Criterion::ExposureBias)) {
        addRange(lines, "Exposure Bias", static_cast<double>(f.exposureBiasMax),
                 static_cast<double>(f.exposureBiasMin), fixed("%1.2f"));
    }
    if (on(Criterion::Program)) {
        if (f.programChoice == -1) {
            lines.push_back("Exposure Program: Not activated");
        } else if (f.programChoice == 0) {
            lines.push_back("Exposure Program: All");
        } else {
            lines.push_back("Exposure program: " + exposureProgramName(f.programChoice));
        }
    }
    if (on(Criterion::ExposureTime)) {
        addRange(lines, "Exposure Time", f.exposureTimeMax, f.exposureTimeMin, exposureDetailText);
    }
    if (on(Criterion::FocalLength)) {
        addRange(lines, "Focal Lenght", f.focalLengthMax, f.focalLengthMin,
                 [](float v) { return format("%4.1fmm", static_cast<double>(v)); });
    }
    if (on(Criterion::Flash)) {
        lines.push_back(f.flashChoice == -1 ? std::string("Flash Used: All")
                                            : "Flash Used: " + std::string(f.flashChoice == 0 ? "No" : "Yes"));
    }
    if (on(Criterion::Iso)) {
        addRange(lines, "ISO", f.isoMax, f.isoMin, [](std::int32_t v) { return format("%2d", v); });
    }
    if (on(Criterion::Metering)) {
        lines.push_back(f.meteringChoice == -1 ? std::string("Metering Mode: All")
                                               : "Metering Mode: " + meteringModeName(f.meteringChoice));
    }
    if (on(Criterion::Whitebalance)) {
        lines.push_back(f.whitebalanceChoice == -1 ? std::string("White Balance: All")
                                                   : "White Balance: " + whitebalanceName(f.whitebalanceChoice));
    }
}

}  // namespace

std::string albumRootPath(const std::string& target, const std::string& dirName) {
    if (dirName == "\\" || dirName == "/") {
        return target;
    }
    if (startsWithSeparator(dirName)) {
        return target + "/" + withForwardSlashes(dirName.substr(1));
    }
    return target + "/" + withForwardSlashes(dirName);
}

std::string albumPathText(const std::string& target, const Album& album) {
    if (album.createSubDir == 0) {
        return target;
    }
    if (startsWithSeparator(album.dirName)) {
        return target + "/" + withForwardSlashes(album.dirName.substr(1)) + "/" + album.name;
    }
    return target + "/" + withForwardSlashes(album.dirName) + "/" + album.name;
}

// One near a place counts as that place.
std::string albumPlacesText(const Album& album, const std::vector<PictureRecord>& pictures) {
    std::vector<std::string> places;
    for (const PictureRecord& picture : pictures) {
        if (picture.albumId != album.id || !picture.block || picture.block->spot.placeShort.empty()) {
            continue;
        }
        std::string place = picture.block->spot.placeShort;
        if (place.rfind("near ", 0) == 0) {
            place.erase(0, 5);
        }
        if (std::find(places.begin(), places.end(), place) == places.end()) {
            places.push_back(std::move(place));
        }
    }
    std::string text;
    for (const std::string& place : places) {
        text += (text.empty() ? "" : ", ") + place;
    }
    return text;
}

std::vector<std::string> albumDetailsLines(const Album& album, const std::string& target, int dateFormatIndex,
                                           int timeFormatIndex, const std::vector<PictureRecord>& pictures,
                                           int biasMinutes) {
    std::vector<std::string> lines;
    lines.push_back("Name: " + album.name);
    lines.push_back(format(album.pictureCount == 1 ? "In album: %d picture" : "In album: %d pictures",
                           album.pictureCount));
    lines.push_back(format("Size: %4.2fMB", static_cast<double>(album.sizeMB)));

    const std::int64_t start = shownTimeAtKey(pictures, album.startTime, biasMinutes);
    const std::int64_t end = shownTimeAtKey(pictures, album.endTime, biasMinutes);
    const std::string startDate = dateText(start, dateFormatIndex);
    lines.push_back("Start date: " + startDate + "/" + timeText(start, timeFormatIndex));
    const std::string endDate = dateText(end, dateFormatIndex);
    if (endDate == startDate) {
        lines.push_back("End date: " + timeText(end, timeFormatIndex));
    } else {
        lines.push_back("End date: " + endDate + "/" + timeText(end, timeFormatIndex));
    }
    const std::string places = albumPlacesText(album, pictures);
    if (!places.empty()) {
        lines.push_back("Places: " + places);
    }
    lines.push_back(album.isProcessed != 0 ? "Album status: Processed" : "Album status: Not processed yet");
    lines.push_back("Album root: " + albumRootPath(target, album.dirName));
    lines.push_back("Album Path: " + albumPathText(target, album));
    lines.push_back(std::string("Keep Original Name: ") + yesNo(album.keepOriginalName));
    if (album.addCameraModel != 0 || album.addDate != 0 || album.addTime != 0) {
        std::string add = "Add to name:";
        if (album.addCameraModel != 0) {
            add += " Camera ";
        }
        if (album.addDate != 0) {
            add += " Date ";
        }
        if (album.addTime != 0) {
            add += " Time ";
        }
        lines.push_back(add);
    }
    lines.push_back(std::string("Split By Days: ") + yesNo(album.splitByDays));
    lines.push_back(std::string("Use filters: ") + yesNo(album.filter.enabled));
    if (!album.filter.camera.empty()) {
        lines.push_back("Camera: " + album.filter.camera);
    }
    if (!album.filter.model.empty()) {
        lines.push_back("Model: " + album.filter.model);
    }
    if (album.filter.enabled != 0) {
        addFilterLines(lines, album.filter);
    }
    return lines;
}

std::string albumSummaryText(const AlbumList& albums, std::size_t cataloguedCount) {
    if (albums.empty()) {
        return "Albums created: None";
    }
    const AlbumTotals totals = albumTotals(albums);
    const int inAlbums = totals.pictures;
    const float size = static_cast<float>(totals.sizeMB);
    const int n = static_cast<int>(albums.size());
    const int catalogued = static_cast<int>(cataloguedCount);
    std::string text = format("%d %s created.", n, n == 1 ? "album" : "albums");
    if (inAlbums == catalogued) {
        text += format(" Pictures in albums %d of %d. All pictures are in albums. Size %4.2fMB", inAlbums, catalogued,
                       static_cast<double>(size));
    } else {
        text += format(" Pictures in albums %d of %d. Still to add %d. Size %4.2fMB", inAlbums, catalogued,
                       catalogued - inAlbums, static_cast<double>(size));
    }
    return text;
}

std::string albumListEntry(int position, const Album& album) {
    return format("%d. %s", position, album.name.c_str());
}

}  // namespace dz
