#include "process/PictureName.h"

#include "albums/AlbumMembership.h"
#include "albums/DateTimeText.h"
#include "exif/TextFormat.h"

namespace dz {

std::string baseText(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

std::string pictureExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size()) {
        return ".jpg";
    }
    std::string extension = path.substr(dot);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

std::string safeNameComponent(std::string name) {
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return name;
}

namespace {

std::int64_t shotTime(const PictureRecord& picture, const NameFormats& formats) {
    return static_cast<std::int64_t>(pictureShotKey(picture, formats.biasMinutes));
}

}  // namespace

std::string dayName(const PictureRecord& picture, const NameFormats& formats) {
    const std::string text = dateText(shotTime(picture, formats), formats.dateFormatIndex);
    const std::size_t close = text.find(']');
    const std::string inner = text.size() > 1 ? text.substr(1, close == std::string::npos ? std::string::npos : close - 1)
                                              : std::string();
    return safeNameComponent(inner);
}

std::string buildPictureName(const PictureRecord& picture, const Album& album, const NameFormats& formats) {
    const PictureBlock& block = *picture.block;
    std::string name;
    if (block.hasCustomName) {
        name = block.customName;
    } else if (album.keepOriginalName != 0) {
        name = baseText(picture.path);
    } else if (!album.name.empty()) {
        name = formatText("%s-%d", album.name.c_str(), block.filmImageIndex);
    } else {
        name = formatText("album%d-%d", album.id, block.filmImageIndex);
    }
    if (album.addDate != 0) {
        name += " " + dateText(shotTime(picture, formats), formats.dateFormatIndex);
    }
    if (album.addTime != 0) {
        name += " " + timeText(shotTime(picture, formats), formats.timeFormatIndex);
    }
    if (album.addCameraModel != 0) {
        name += " " + block.exif.cameraMake + "-" + block.exif.cameraModel;
    }
    return safeNameComponent(name + pictureExtension(picture.path));
}

}  // namespace dz
