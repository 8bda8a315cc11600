#include "albums/FilmLabel.h"

#include "albums/AlbumMembership.h"
#include "albums/DateTimeText.h"

#include <algorithm>
#include <cstdio>

namespace dz {

std::string pictureBaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return name;
}

std::string pairMark(const PictureRecord& picture) {
    const bool paired = std::any_of(picture.companions.begin(), picture.companions.end(),
                                    [](const CompanionFile& file) { return file.isRaw; });
    if (!paired) {
        return {};
    }
    const std::size_t dot = picture.path.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : picture.path.substr(dot + 1);
    for (char& c : extension) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const bool heif = extension == "heic" || extension == "heif" || extension == "hif";
    return heif ? "RAW+HEIC" : "RAW+JPEG";
}

std::string placeOffsetMark(const PictureBlock& block) {
    if (!block.spot.onTimeline || !block.spot.offsetDiffers) {
        return {};
    }
    const int offset = block.spot.offsetSeconds;
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    char text[16];
    std::snprintf(text, sizeof text, " %c%02d:%02d", offset < 0 ? '-' : '+', minutes / 60 % 100, minutes % 60);
    return text;
}

std::string filmLabel(int n, const PictureRecord& picture, int dateFormatIndex, int timeFormatIndex,
                      int biasMinutes, std::size_t* dateAt) {
    const PictureBlock& block = *picture.block;
    std::string label = std::to_string(n) + "." +
                        (block.hasCustomName ? block.customName : pictureBaseName(picture.path));
    const std::int64_t shot = pictureShownTime(picture, biasMinutes);
    const std::string date = dateText(shot, dateFormatIndex);
    const std::string time = timeText(shot, timeFormatIndex);
    label += ".";
    if (dateAt) {
        *dateAt = label.size();
    }
    label += block.dateFromFile ? std::string("**") + date + "*" + time + "**" : date + " " + time;
    label += placeOffsetMark(block);
    label += "\n" + block.exif.cameraMake + "/" + block.exif.cameraModel;
    // On the camera line: the film keeps its three lines, and the name line
    // stays what a label edit starts from.
    const std::string mark = pairMark(picture);
    if (!mark.empty()) {
        label += " " + mark;
    }
    return label;
}

}  // namespace dz
