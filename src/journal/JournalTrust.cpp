#include "journal/JournalTrust.h"

#include "platform/ConfigFolder.h"
#include "platform/DescriptorIo.h"
#include "platform/Sha256.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dz {

namespace {

constexpr std::size_t kKeyBytes = 32;
constexpr std::size_t kBlock = 64;
constexpr const char* kKeyName = "/journal-key";
constexpr const char* kMarksName = "/runs";

int fillRandom(std::uint8_t* out, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::getrandom(out + got, count - got, 0);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

// HMAC-SHA-256 as RFC 2104 builds it.
std::string hmac(const std::string& key, const std::string& message) {
    std::array<std::uint8_t, kBlock> inner {};
    std::array<std::uint8_t, kBlock> outer {};
    for (std::size_t i = 0; i < kBlock; ++i) {
        const std::uint8_t k = i < key.size() ? static_cast<std::uint8_t>(key[i]) : 0;
        inner[i] = k ^ 0x36;
        outer[i] = k ^ 0x5c;
    }
    Sha256 hash;
    hash.update(inner.data(), inner.size());
    hash.update(message);
    const std::array<std::uint8_t, 32> innerDigest = hash.finish();
    hash.update(outer.data(), outer.size());
    hash.update(innerDigest.data(), innerDigest.size());
    return hash.finishHex();
}

// Reads a small file of the user's own: regular, not a link, at most `limit` bytes.
int readPrivateFile(const std::string& path, std::size_t limit, bool mustBePrivate, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (error == 0 && (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
                       (mustBePrivate && (st.st_mode & 077) != 0) || static_cast<std::size_t>(st.st_size) > limit)) {
        error = EACCES;
    }
    if (error == 0) {
        text.resize(limit);
        const ssize_t n = ::read(fd, text.data(), limit);
        error = n < 0 ? errno : 0;
        text.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    }
    ::close(fd);
    return error;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isHex(const std::string& text, std::size_t length) {
    if (text.size() != length) {
        return false;
    }
    for (const char c : text) {
        if (hexValue(c) < 0) {
            return false;
        }
    }
    return true;
}

// Writes `text` as the file `path`, through a new file renamed over it.
int writePrivateFile(const std::string& path, const std::string& text) {
    const std::string temp = path + ".new";
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    int error = writeAll(fd, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
    }
    return error;
}

}  // namespace

int JournalTrust::loadKey(bool create) {
    key_.clear();
    if (folder_.empty()) {
        return ENOENT;
    }
    const std::string path = folder_ + kKeyName;
    std::string text;
    int error = readPrivateFile(path, 2 * kKeyBytes + 1, true, text);
    if (error == ENOENT && create) {
        if (!makeFolders(folder_)) {
            return errno != 0 ? errno : EACCES;
        }
        std::array<std::uint8_t, kKeyBytes> bytes {};
        if (const int e = fillRandom(bytes.data(), bytes.size())) {
            return e;
        }
        const std::string hex = hexText(bytes.data(), bytes.size()) + "\n";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            return errno;
        }
        error = writeAll(fd, reinterpret_cast<const std::uint8_t*>(hex.data()), hex.size());
        if (error == 0 && ::fsync(fd) != 0) {
            error = errno;
        }
        ::close(fd);
        if (error != 0) {
            ::unlink(path.c_str());
            return error;
        }
        text = hex;
    } else if (error != 0) {
        return error;
    }
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (!isHex(text, 2 * kKeyBytes)) {
        return EINVAL;
    }
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        key_.push_back(static_cast<char>(hexValue(text[2 * i]) * 16 + hexValue(text[2 * i + 1])));
    }
    return 0;
}

std::string JournalTrust::seal(const std::string& runId, int number, const std::string& previous,
                               const std::string& body) const {
    return hmac(key_, runId + "\n" + std::to_string(number) + "\n" + previous + "\n" + body);
}

int JournalTrust::readMark(const std::string& runId, RunMark& mark) const {
    if (!isRunId(runId)) {
        return EINVAL;
    }
    std::string text;
    if (const int error = readPrivateFile(folder_ + kMarksName + "/" + runId, 256, false, text)) {
        return error;
    }
    char mac[65] = {};
    int lines = 0;
    if (std::sscanf(text.c_str(), "lines %d mac %64s", &lines, mac) != 2 || lines < 1 || !isHex(mac, 64)) {
        return EINVAL;
    }
    mark.lines = lines;
    mark.mac = mac;
    return 0;
}

int JournalTrust::writeMark(const std::string& runId, const RunMark& mark) const {
    if (!isRunId(runId) || folder_.empty()) {
        return EINVAL;
    }
    const std::string folder = folder_ + kMarksName;
    if (!makeFolders(folder)) {
        return errno != 0 ? errno : EACCES;
    }
    return writePrivateFile(folder + "/" + runId,
                            "lines " + std::to_string(mark.lines) + " mac " + mark.mac + "\n");
}

std::string JournalTrust::newRunId() {
    std::array<std::uint8_t, 16> bytes {};
    if (fillRandom(bytes.data(), bytes.size()) != 0) {
        return {};
    }
    return hexText(bytes.data(), bytes.size());
}

bool JournalTrust::isRunId(const std::string& text) {
    return isHex(text, 32);
}

}  // namespace dz
