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
    adopt(fd, -1, path);
    return 0;
}

void AppendFile::adopt(int fd, int folderFd, const std::string& path) {
    close();
    fd_ = fd;
    folderFd_ = folderFd;
    path_ = path;
    folderFlushed_ = false;
    struct stat st {};
    size_ = ::fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

int AppendFile::append(const std::string& line, bool flushNow) {
    if (fd_ < 0) {
        return EBADF;
    }
    const std::size_t before = held_.size();
    held_ += line;
    held_ += '\n';
    if (const int error = writeHeld()) {
        // Not appended: the lines held before it wait for the next try.
        held_.resize(before);
        return error;
    }
    return flushNow ? flush() : 0;
}

int AppendFile::hold(const std::string& line) {
    if (fd_ < 0) {
        return EBADF;
    }
    const std::size_t before = held_.size();
    held_ += line;
    held_ += '\n';
    if (held_.size() < kHeldBytes) {
        return 0;
    }
    const int error = writeHeld();
    if (error != 0) {
        held_.resize(before);
    }
    return error;
}

int AppendFile::writeHeld() {
    if (held_.empty()) {
        return 0;
    }
    if (const int error = writeAll(fd_, reinterpret_cast<const std::uint8_t*>(held_.data()), held_.size())) {
        // Lines written in part are taken back, so the next line does not
        // continue one; a crash can still cut one, which readers pass over.
        ::ftruncate(fd_, static_cast<off_t>(size_));
        return error;
    }
    size_ += held_.size();
    held_.clear();
    return 0;
}

int AppendFile::flush() {
    if (fd_ < 0) {
        return EBADF;
    }
    if (const int error = writeHeld()) {
        return error;
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
        writeHeld();
        ::close(fd_);
        fd_ = -1;
    }
    if (folderFd_ >= 0) {
        ::close(folderFd_);
        folderFd_ = -1;
    }
}

}  // namespace dz
