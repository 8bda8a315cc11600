#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// A file that only grows, line by line, each line on the disk before the
// caller goes on when it asks for it: what a journal of file operations
// needs so that a crash leaves a record of everything it started.
// Results are errno values (0 for success).
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens `path` for appending, creating it (and its folders) if needed.
    int open(const std::string& path);
    // Takes over `fd`, a file opened for appending, and `folderFd`, its
    // folder (flushed with the first flush), both closed by this object.
    void adopt(int fd, int folderFd, const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    // Appends `line` and a line end, after any lines held; with `flush`, the
    // data reaches the disk (and, for a new file, its folder entry) before
    // it returns.
    int append(const std::string& line, bool flush);
    // Holds `line` in memory, to be written with the next line appended, at
    // a flush, or once kHeldBytes gather: for lines a crash may lose without
    // harm, so that a long run does not pay a system call for each.
    int hold(const std::string& line);
    int flush();
    // Writes what is held, and closes.
    void close();

    static constexpr std::size_t kHeldBytes = 64 * 1024;

private:
    int writeHeld();

    int fd_ = -1;
    std::uint64_t size_ = 0;  // bytes in the file, as this object wrote them
    std::string held_;
    int folderFd_ = -1;
    bool folderFlushed_ = false;
    std::string path_;
};

}  // namespace dz
