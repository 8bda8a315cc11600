// "Verify copies" on a real disk: an ext4 image on a loop device, where a
// copy read back comes from the device, not from the page cache as on tmpfs.
#include "platform/FileSystem.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace dz::test {
namespace {

// Sectors read from the block device `device` (/dev/loopN) since it was set up.
long long sectorsRead(const std::string& device) {
    std::ifstream stat("/sys/block/" + device.substr(device.rfind('/') + 1) + "/stat");
    long long readIos = 0;
    long long merged = 0;
    long long sectors = -1;
    stat >> readIos >> merged >> sectors;
    return sectors;
}

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, pipe) != nullptr) {
            out += line;
        }
        ::pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) {
        out.pop_back();
    }
    return out;
}

class VerifyCopiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "a loop device cannot be mounted here (needs root)";
        }
        const std::string image = (work.path() / "disk.img").string();
        const std::string made = commandOutput("truncate -s 32M '" + image + "' && mkfs.ext4 -q -F '" + image +
                                               "' 2>&1 && losetup --find --show '" + image + "' 2>&1");
        if (made.rfind("/dev/loop", 0) != 0) {
            GTEST_SKIP() << "no ext4 loop image here: " << made;
        }
        device_ = made;
        if (::mount(device_.c_str(), disk.str().c_str(), "ext4", 0, nullptr) != 0) {
            const int error = errno;
            commandOutput("losetup -d " + device_);
            device_.clear();
            GTEST_SKIP() << "the ext4 image cannot be mounted: " << std::strerror(error);
        }
    }
    void TearDown() override {
        if (!device_.empty()) {
            EXPECT_EQ(::umount(disk.str().c_str()), 0) << std::strerror(errno);
            commandOutput("losetup -d " + device_);
        }
    }

    TempDir work;
    TempDir disk;
    std::string device_;
};

TEST_F(VerifyCopiesTest, AVerifiedCopyIsReadBackFromTheDeviceAndAPlainOneIsNot) {
    constexpr std::size_t kBytes = 4 << 20;
    std::string bytes(kBytes, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 2654435761u >> 13);
    }
    const std::string source = work.write("IMG_0001.JPG", bytes).string();
    FileSystem fileSystem;

    const long long beforePlain = sectorsRead(device_);
    ASSERT_TRUE(fileSystem.copyFile(source, disk.str() + "/plain.jpg", false)) << fileSystem.lastError();
    const long long plain = sectorsRead(device_) - beforePlain;

    fileSystem.setVerifyCopies(true);
    const long long beforeVerified = sectorsRead(device_);
    ASSERT_TRUE(fileSystem.copyFile(source, disk.str() + "/verified.jpg", false)) << fileSystem.lastError();
    const long long verified = sectorsRead(device_) - beforeVerified;

    // The whole copy came back from the device: its 8,192 sectors at least.
    EXPECT_GE(verified, static_cast<long long>(kBytes / 512)) << "plain copy read " << plain << " sectors";
    EXPECT_LT(plain, static_cast<long long>(kBytes / 512 / 4));
    EXPECT_EQ(fileContents(disk.str() + "/verified.jpg"), bytes);
}

}  // namespace
}  // namespace dz::test
