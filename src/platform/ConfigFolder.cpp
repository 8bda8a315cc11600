#include "platform/ConfigFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace dz {

namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string homeFromPasswordEntry() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        !isAbsolute(found->pw_dir)) {
        return {};
    }
    return found->pw_dir;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string userConfigFolder(const char* xdgConfigHome, const char* home) {
    if (isAbsolute(xdgConfigHome)) {
        return std::string(xdgConfigHome) + "/dezoredu";
    }
    if (isAbsolute(home)) {
        return std::string(home) + "/.config/dezoredu";
    }
    return {};
}

std::string userConfigFolder() {
    const char* home = std::getenv("HOME");
    const std::string fallback = isAbsolute(home) ? std::string() : homeFromPasswordEntry();
    return userConfigFolder(std::getenv("XDG_CONFIG_HOME"), fallback.empty() ? home : fallback.c_str());
}

std::string userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (isAbsolute(data)) {
        return std::string(data) + "/dezoredu";
    }
    const char* home = std::getenv("HOME");
    const std::string fallback = isAbsolute(home) ? std::string(home) : homeFromPasswordEntry();
    return fallback.empty() ? std::string() : fallback + "/.local/share/dezoredu";
}

bool makeFolders(const std::string& folder) {
    if (folder.empty() || isFolder(folder)) {
        return !folder.empty();
    }
    const std::size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(folder.substr(0, slash))) {
        return false;
    }
    // Private, as the base-directory rules ask for folders they make.
    return ::mkdir(folder.c_str(), 0700) == 0 || (errno == EEXIST && isFolder(folder));
}

}  // namespace dz
