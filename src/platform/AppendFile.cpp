#include "platform/AppendFile.h"

#include "platform/DescriptorIo.h"
#include "platform/PathParts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

// Makes `folder` and the folders above it that are missing.
int makeFolders(const std::string& folder) {
    if (folder.empty() || folder == "/") {
        return 0;
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    }
    if (const int error = makeFolders(folderOf(folder))) {
        return error;
    }
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST ? 0 : errno;
}

}  // namespace

AppendFile::~AppendFile() { close(); }

int AppendFile::open(const std::string& path) {
    close();
    if (const int error = makeFolders(folderOf(path))) {
        return error;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    fd_ = fd;
    path_ = path;
    folderFlushed_ = false;
    return 0;
}

void AppendFile::adopt(int fd, int folderFd, const std::string& path) {
    close();
    fd_ = fd;
    folderFd_ = folderFd;
    path_ = path;
    folderFlushed_ = false;
}

int AppendFile::append(const std::string& line, bool flushNow) {
    if (fd_ < 0) {
        return EBADF;
    }
    std::string bytes = line;
    bytes += '\n';
    struct stat before {};
    const bool sized = ::fstat(fd_, &before) == 0;
    if (const int error = writeAll(fd_, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())) {
        // A line written in part is taken back, so the next line does not
        // continue it; a crash can still cut one, which readers pass over.
        if (sized) {
            ::ftruncate(fd_, before.st_size);
        }
        return error;
    }
    return flushNow ? flush() : 0;
}

int AppendFile::flush() {
    if (fd_ < 0) {
        return EBADF;
    }
    if (::fdatasync(fd_) != 0) {
        return errno;
    }
    if (!folderFlushed_) {
        if (folderFd_ >= 0) {
            if (::fsync(folderFd_) != 0 && errno != EINVAL && errno != EROFS) {
                return errno;
            }
        } else if (const int error = flushFolderEntries(folderOf(path_))) {
            return error;
        }
        folderFlushed_ = true;
    }
    return 0;
}

void AppendFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (folderFd_ >= 0) {
        ::close(folderFd_);
        folderFd_ = -1;
    }
}

}  // namespace dz
