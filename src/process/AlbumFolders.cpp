#include "process/AlbumFolders.h"

#include "exif/TextFormat.h"
#include "process/PictureName.h"

namespace dz {

std::optional<std::vector<std::string>> dirNameLevels(const std::string& dirName) {
    std::vector<std::string> levels;
    std::string level;
    auto close = [&levels, &level]() {
        if (!level.empty() && level != ".") {
            levels.push_back(level);
        }
        level.clear();
    };
    for (const char c : dirName) {
        if (c == '\\' || c == '/') {
            close();
        } else {
            level += c;
        }
    }
    close();
    for (const std::string& l : levels) {
        if (l == "..") {
            return std::nullopt;
        }
    }
    return levels;
}

std::optional<std::string> albumFolderName(const Album& album) {
    const std::string name =
        album.name.empty() ? formatText("Album.%d", album.id) : safeNameComponent(album.name);
    if (name == "." || name == "..") {
        return std::nullopt;
    }
    return name;
}

std::string outsideTargetMessage(const std::string& name) {
    return formatText("The folder name '%s' leads outside the target folder. Please redefine album", name.c_str());
}

}  // namespace dz
