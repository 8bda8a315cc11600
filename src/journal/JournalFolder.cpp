#include "journal/JournalFolder.h"

#include "journal/RunJournal.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

int openOwnFolder(const RootedFolder& target, const std::string& relative, bool create, int& folderFd) {
    if (!RootedFolder::isCleanRelative(relative)) {
        return EINVAL;
    }
    int current = ::fcntl(target.fd(), F_DUPFD_CLOEXEC, 0);
    if (current < 0) {
        return errno;
    }
    std::size_t at = 0;
    for (;;) {
        const std::size_t slash = relative.find('/', at);
        const std::string part = relative.substr(at, slash == std::string::npos ? std::string::npos : slash - at);
        if (create && ::mkdirat(current, part.c_str(), 0700) != 0 && errno != EEXIST) {
            const int error = errno;
            ::close(current);
            return error;
        }
        const int next = ::openat(current, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int error = errno;
        ::close(current);
        if (next < 0) {
            return error;
        }
        struct stat st {};
        if (::fstat(next, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
            ::close(next);
            return EACCES;
        }
        current = next;
        if (slash == std::string::npos) {
            folderFd = current;
            return 0;
        }
        at = slash + 1;
    }
}

std::vector<std::string> journalsOf(const std::string& targetFolder) {
    std::vector<std::string> names;
    RootedFolder target;
    int folderFd = -1;
    if (target.open(targetFolder) != 0 || openOwnFolder(target, RunJournal::kFolderBelowTarget, false, folderFd) != 0) {
        return names;
    }
    DIR* dir = ::fdopendir(folderFd);
    if (dir == nullptr) {
        ::close(folderFd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= 6 || name.compare(name.size() - 6, 6, ".jsonl") != 0 || name.front() == '.') {
            continue;
        }
        struct stat st {};
        // Only regular files: a pipe or a device there would stall a read.
        if (::fstatat(::dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    // Names start with the UTC time of their run.
    std::sort(names.begin(), names.end());
    if (names.size() > kJournalsRead) {
        names.erase(names.begin(), names.end() - static_cast<std::ptrdiff_t>(kJournalsRead));
    }
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(RunJournal::folderFor(target.path()) + "/" + name);
    }
    return paths;
}

}  // namespace dz
