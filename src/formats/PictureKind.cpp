#include "formats/PictureKind.h"

#include <string_view>

namespace dz {

namespace {

struct KindByExtension {
    std::string_view extension;  // lower case, without the dot
    PictureKind kind;
};

// Every extension the "All photos and videos" scan takes; new kinds of
// file join here and nowhere else.
constexpr KindByExtension kAllFormats[] = {
    {"jpg", PictureKind::Jpeg},     {"jpeg", PictureKind::Jpeg},   {"jpe", PictureKind::Jpeg},
    {"cr2", PictureKind::TiffRaw},  {"nef", PictureKind::TiffRaw}, {"nrw", PictureKind::TiffRaw},
    {"arw", PictureKind::TiffRaw},  {"srw", PictureKind::TiffRaw}, {"dng", PictureKind::TiffRaw},
    {"orf", PictureKind::TiffRaw},  {"rw2", PictureKind::TiffRaw}, {"pef", PictureKind::TiffRaw},
    {"heic", PictureKind::Heif},    {"heif", PictureKind::Heif},   {"hif", PictureKind::Heif},
    {"avif", PictureKind::Heif},    {"png", PictureKind::Png},     {"raf", PictureKind::Raf},
    {"cr3", PictureKind::Cr3},
    {"mp4", PictureKind::Video},    {"mov", PictureKind::Video},   {"m4v", PictureKind::Video},
    {"3gp", PictureKind::Video},    {"webp", PictureKind::Webp},
};

std::string lowerExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos) {
        return {};
    }
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

}  // namespace

PictureKind pictureKindOf(const std::string& name, PictureFiles files) {
    const std::string extension = lowerExtension(name);
    if (files == PictureFiles::JpegOnly) {
        return extension == "jpg" ? PictureKind::Jpeg : PictureKind::None;
    }
    for (const KindByExtension& entry : kAllFormats) {
        if (entry.extension == extension) {
            return entry.kind;
        }
    }
    return PictureKind::None;
}

bool isRawKind(PictureKind kind) {
    // No default: a kind added later must say here whether it is a raw.
    switch (kind) {
    case PictureKind::None:
    case PictureKind::Jpeg:
    case PictureKind::Heif:
    case PictureKind::Png:
    case PictureKind::Video:
    case PictureKind::Webp:
        return false;
    case PictureKind::TiffRaw:
    case PictureKind::Raf:
    case PictureKind::Cr3:
        return true;
    }
    return false;
}

std::string pictureFormatName(const std::string& name, PictureKind kind) {
    if (kind == PictureKind::Jpeg || kind == PictureKind::None) {
        return kind == PictureKind::Jpeg ? "JPEG" : "";
    }
    std::string extension = lowerExtension(name);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return extension;
}

}  // namespace dz
