#include "platform/PathParts.h"

#include <sys/stat.h>

namespace dz {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool parentMissing(const std::string& path) {
    const std::string parent = folderOf(path);
    if (parent.empty()) {
        return false;
    }
    struct stat st {};
    return ::stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
}

std::string numberedName(const std::string& name, int n) {
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    const std::string number = "(" + std::to_string(n) + ")";
    return (stem.empty() ? number : stem + " " + number) + extension;
}

std::string firstFreeNumberedPlace(const std::string& folder, const std::string& name,
                                   const std::function<bool(const std::string&)>& taken) {
    for (int n = 2;; ++n) {
        std::string candidate = folder + "/" + numberedName(name, n);
        if (!taken(candidate)) {
            return candidate;
        }
    }
}

int FreeNumbers::next(const std::string& key, const std::function<bool(int)>& isFree) {
    int& from = from_[key];
    int n = from < 2 ? 2 : from;
    while (!isFree(n)) {
        ++n;
    }
    from = n + 1;
    return n;
}

}  // namespace dz
