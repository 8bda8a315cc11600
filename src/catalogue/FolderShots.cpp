#include "catalogue/FolderShots.h"

#include <map>
#include <string>

namespace dz {

namespace {

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// A name split at its last dot; the base keeps its case, as the file system
// tells names apart by it.
struct SplitName {
    std::string base;
    std::string extension;  // lower case, without the dot
};

SplitName splitName(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0) {
        return {name, {}};
    }
    return {name.substr(0, dot), lower(name.substr(dot + 1))};
}

bool isSidecarExtension(const std::string& extension) {
    return extension == "xmp" || extension == "thm" || extension == "aae";
}

// The files a raw pairs with: what the camera wrote beside it.
bool isLeadExtension(const std::string& extension) {
    return extension == "jpg" || extension == "jpeg" || extension == "jpe" || extension == "heic" ||
           extension == "heif" || extension == "hif";
}

}  // namespace

std::vector<FolderShot> folderShots(const std::vector<DirEntry>& entries, PictureFiles files) {
    std::vector<FolderShot> shots;
    std::map<std::string, std::size_t> shotOfBase;
    std::vector<std::size_t> sidecars;

    auto shotFor = [&](const std::string& base) -> FolderShot& {
        const auto [at, added] = shotOfBase.emplace(base, shots.size());
        if (added) {
            shots.emplace_back();
        }
        return shots[at->second];
    };

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DirEntry& entry = entries[i];
        if (entry.isDirectory()) {
            continue;
        }
        const SplitName split = splitName(entry.name);
        const PictureKind kind = pictureKindOf(entry.name, files);
        if (kind == PictureKind::None) {
            if (isSidecarExtension(split.extension)) {
                sidecars.push_back(i);
            }
            continue;
        }
        FolderShot& shot = shotFor(split.base);
        std::vector<ShotFile>& list = isRawKind(kind)                     ? shot.raws
                                      : isLeadExtension(split.extension) ? shot.leads
                                                                          : shot.others;
        list.push_back(ShotFile{i, {}});
    }

    for (const std::size_t i : sidecars) {
        // "IMG_1.CR2.xmp" names one file, "IMG_1.xmp" the whole shot.
        const std::string named = splitName(entries[i].name).base;
        const SplitName inner = splitName(named);
        bool placed = false;
        if (const auto found = shotOfBase.find(inner.base); found != shotOfBase.end() && !inner.extension.empty()) {
            FolderShot& shot = shots[found->second];
            for (std::vector<ShotFile>* list : {&shot.leads, &shot.raws, &shot.others}) {
                for (ShotFile& file : *list) {
                    if (!placed && splitName(entries[file.entry].name).extension == inner.extension) {
                        file.sidecars.push_back(i);
                        placed = true;
                    }
                }
            }
        }
        if (!placed) {
            if (const auto found = shotOfBase.find(named); found != shotOfBase.end()) {
                shots[found->second].sidecars.push_back(i);
            }
        }
    }
    return shots;
}

}  // namespace dz
