#include "PhotoTree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

namespace dz::bench {

namespace {

bool isJpegName(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".jpg";
}

}  // namespace

std::vector<fs::path> findPhotos(const fs::path& folder) {
    std::vector<fs::path> photos;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file() && isJpegName(e.path())) {
            photos.push_back(e.path());
        }
    }
    std::sort(photos.begin(), photos.end());
    return photos;
}

std::vector<std::string> buildTree(const fs::path& root, const std::vector<fs::path>& photos, int filesPerFolder) {
    std::vector<fs::path> folders;
    for (int t = 0; t < kTopFolders; ++t) {
        const fs::path top = root / ("roll" + std::to_string(t));
        folders.push_back(top);
        for (int s = 0; s < kSubFolders; ++s) {
            folders.push_back(top / ("day" + std::to_string(s)));
        }
    }
    std::vector<std::string> files;
    std::size_t next = 0;
    for (const fs::path& folder : folders) {
        fs::create_directories(folder);
        for (int i = 0; i < filesPerFolder; ++i, ++next) {
            const fs::path& photo = photos[next % photos.size()];
            char name[32];
            std::snprintf(name, sizeof name, "IMG_%04zu.jpg", next);
            const fs::path target = folder / name;
            std::error_code linkError;
            fs::create_hard_link(photo, target, linkError);
            if (linkError) {
                fs::copy_file(photo, target);
            }
            files.push_back(target.string());
        }
    }
    return files;
}

fs::path makeTempFolder(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

}  // namespace dz::bench
