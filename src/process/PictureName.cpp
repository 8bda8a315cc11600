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
    return pictureShownTime(picture, formats.biasMinutes);
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
    ShotNames shot = buildShotNames(picture, album, formats);
    return shot.stem + shot.extensions.front();
}

std::string companionExtension(const std::string& picturePath, const std::string& companionPath) {
    auto nameOf = [](const std::string& path) {
        const std::size_t slash = path.find_last_of('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    const std::string pictureName = nameOf(picturePath);
    const std::string base = pictureName.substr(0, pictureName.find_last_of('.'));
    const std::string name = nameOf(companionPath);
    if (name.size() <= base.size() || name.compare(0, base.size(), base) != 0) {
        return pictureExtension(companionPath);
    }
    std::string extension = name.substr(base.size());
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return safeNameComponent(extension);
}

std::vector<std::string> ShotNames::names(int number) const {
    std::string base = stem;
    if (number >= 2) {
        const std::string mark = "(" + std::to_string(number) + ")";
        base = stem.empty() ? mark : stem + " " + mark;
    }
    std::vector<std::string> all;
    for (const std::string& extension : extensions) {
        all.push_back(base + extension);
    }
    return all;
}

std::string cameraText(const std::string& make, const std::string& model) {
    const auto lower = [](std::string text) {
        for (char& c : text) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        return text;
    };
    if (make.empty() || lower(model).rfind(lower(make), 0) == 0) {
        return model;
    }
    return model.empty() ? make : make + "-" + model;
}

namespace {

// The picture's stem and the files travelling with it, each with its own extension.
ShotNames shotNamed(const PictureRecord& picture, const std::string& name) {
    ShotNames shot;
    shot.stem = safeNameComponent(name);
    shot.extensions.push_back(pictureExtension(picture.path));
    for (const CompanionFile& file : picture.companions) {
        shot.extensions.push_back(companionExtension(picture.path, file.path));
    }
    return shot;
}

// A field of a sortable name: no brackets, a "-" for each space.
std::string sortableField(const std::string& text) {
    std::string field;
    for (char c : text) {
        if (c == '[' || c == ']') {
            continue;
        }
        field.push_back(c == ' ' ? '-' : c);
    }
    return field;
}

ShotNames sortableShotNames(const PictureRecord& picture, const Album& album, const NameFormats& formats,
                            const AlbumNumbers& numbers) {
    const PictureBlock& block = *picture.block;
    std::string name;
    if (block.hasCustomName) {
        name = block.customName;
    } else if (album.keepOriginalName != 0) {
        name = baseText(picture.path);
    } else {
        const std::string albumName = album.name.empty() ? formatText("album%d", album.id) : album.name;
        name = sortableField(albumName) + "-" + numbers.of(picture);
    }
    if (album.addDate != 0) {
        name += "_" + sortableField(dateText(shotTime(picture, formats), formats.dateFormatIndex));
    }
    if (album.addTime != 0) {
        name += "_" + sortableField(timeText(shotTime(picture, formats), formats.timeFormatIndex));
    }
    if (album.addCameraModel != 0) {
        const std::string camera = cameraText(block.exif.cameraMake, block.exif.cameraModel);
        if (!camera.empty()) {
            name += "_" + sortableField(camera);
        }
    }
    return shotNamed(picture, name);
}

}  // namespace

ShotNames buildShotNames(const PictureRecord& picture, const Album& album, const NameFormats& formats,
                         const AlbumNumbers* numbers) {
    if (album.naming == AlbumNaming::Sortable && numbers != nullptr) {
        return sortableShotNames(picture, album, formats, *numbers);
    }
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
    return shotNamed(picture, name);
}

}  // namespace dz
