#include "albums/ThumbnailCache.h"

#include "image/PngWriter.h"
#include "platform/DescriptorIo.h"
#include "platform/Md5.h"
#include "platform/TempFile.h"

#include <sys/stat.h>

#include <span>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace dz {

namespace {

constexpr const char* kUriKey = "Thumb::URI";
constexpr const char* kMTimeKey = "Thumb::MTime";

bool unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("-._~!$&'()*+,;=:@/", c) != nullptr;
}

std::vector<std::uint8_t> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text chunks are written before the pixels, within the first bytes.
std::vector<std::uint8_t> readHead(const std::string& path) {
    std::vector<std::uint8_t> head(4096);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    return head;
}

bool current(std::span<const std::uint8_t> png, const std::string& uri, std::int64_t mtime) {
    bool uriMatches = false;
    bool mtimeMatches = false;
    for (const auto& [key, value] : pngTexts(png)) {
        uriMatches = uriMatches || (key == kUriKey && value == uri);
        mtimeMatches = mtimeMatches || (key == kMTimeKey && value == std::to_string(mtime));
    }
    return uriMatches && mtimeMatches;
}

// The cache's folders are private to the user.
bool makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string ThumbnailCache::folderFor(const char* xdgCacheHome, const char* home) {
    if (xdgCacheHome && *xdgCacheHome == '/') {
        return std::string(xdgCacheHome) + "/thumbnails";
    }
    if (home && *home) {
        return std::string(home) + "/.cache/thumbnails";
    }
    return {};
}

std::string fileUri(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        if (unreserved(c)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

bool fileModificationTime(const std::string& path, std::int64_t& mtime) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    mtime = static_cast<std::int64_t>(info.st_mtime);
    return true;
}

std::string ThumbnailCache::entryPath(const std::string& path) const {
    return folder_ + "/large/" + md5Hex(fileUri(path)) + ".png";
}

bool ThumbnailCache::read(const std::string& path, std::int64_t mtime, CRaster& out) const {
    if (!enabled()) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = readWhole(entryPath(path));
    return !bytes.empty() && current(bytes, fileUri(path), mtime) &&
           out.decodeMemory(bytes.data(), bytes.size(), ImageFormat::Png);
}

bool ThumbnailCache::has(const std::string& path, std::int64_t mtime) const {
    return enabled() && current(readHead(entryPath(path)), fileUri(path), mtime);
}

bool ThumbnailCache::write(const std::string& path, std::int64_t mtime, const CRaster& picture) const {
    if (!enabled() || !picture.isValid()) {
        return false;
    }
    CRaster sized = picture;
    const int longest = std::max(picture.width(), picture.height());
    if (longest > kLargeSide) {
        const int width = std::max(1, picture.width() * kLargeSide / longest);
        const int height = std::max(1, picture.height() * kLargeSide / longest);
        if (!sized.resample(width, height)) {
            return false;
        }
    }
    const std::vector<std::uint8_t> png =
        encodePng(sized, {{kUriKey, fileUri(path)}, {kMTimeKey, std::to_string(mtime)}, {"Software", "Dezoredu"}});
    if (png.empty()) {
        return false;
    }
    const std::string target = entryPath(path);
    TempFile file;
    // The folders are made only when they are not there yet, not with three
    // mkdir calls per thumbnail that the workers would queue for.
    int created = file.create(target, 0600);
    if (created != 0) {
        const std::string parent = folder_.substr(0, folder_.rfind('/'));
        if ((!parent.empty() && !makeFolder(parent)) || !makeFolder(folder_) || !makeFolder(folder_ + "/large")) {
            return false;
        }
        created = file.create(target, 0600);
    }
    if (created != 0 || writeAll(file.fd(), png.data(), png.size()) != 0 || file.close() != 0) {
        return false;
    }
    return file.placeAs(target, true) == 0;
}

}  // namespace dz
