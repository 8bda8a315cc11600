#include "albums/FilmLabel.h"

#include "albums/AlbumMembership.h"
#include "albums/DateTimeText.h"

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

std::string filmLabel(int n, const PictureRecord& picture, int dateFormatIndex, int timeFormatIndex,
                      int biasMinutes, std::size_t* dateAt) {
    const PictureBlock& block = *picture.block;
    std::string label = std::to_string(n) + "." +
                        (block.hasCustomName ? block.customName : pictureBaseName(picture.path));
    const auto shot = static_cast<std::int64_t>(pictureShotKey(picture, biasMinutes));
    const std::string date = dateText(shot, dateFormatIndex);
    const std::string time = timeText(shot, timeFormatIndex);
    label += ".";
    if (dateAt) {
        *dateAt = label.size();
    }
    label += block.dateFromFile ? std::string("**") + date + "*" + time + "**" : date + " " + time;
    label += "\n" + block.exif.cameraMake + "/" + block.exif.cameraModel;
    return label;
}

}  // namespace dz
