#include "platform/Help.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace dz {

namespace {

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file in `folder` whose name equals `name` without regard to case.
std::optional<std::string> findFolded(const std::string& folder, const std::string& name) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!dir) {
        return std::nullopt;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            std::string path = folder.empty() ? std::string(entry->d_name) : folder + "/" + entry->d_name;
            if (isRegularFile(path)) {
                return path;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> findHelpFile(const std::string& requested) {
    if (isRegularFile(requested)) {
        return requested;
    }
    const auto slash = requested.find_last_of('/');
    if (slash == std::string::npos) {
        return findFolded("", requested);
    }
    return findFolded(requested.substr(0, slash), requested.substr(slash + 1));
}

}  // namespace

std::optional<HelpLocation> locateHelp(const std::string& requestedFile, int topic,
                                       const std::string& shippedFolder) {
    auto file = findHelpFile(requestedFile);
    if (!file && !shippedFolder.empty()) {
        file = findFolded(shippedFolder, kHelpFileName);
    }
    if (!file) {
        return std::nullopt;
    }
    return HelpLocation{*file, topic > 0 ? "topic-" + std::to_string(topic) : std::string()};
}

std::string programFolder() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(n));
    const auto slash = buffer.find_last_of('/');
    return slash == std::string::npos ? std::string() : buffer.substr(0, slash);
}

}  // namespace dz
