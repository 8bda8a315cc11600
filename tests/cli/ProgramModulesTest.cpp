// The real command-line program and its modules: what it loads to start, and
// how it reads files when a module is missing.
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace dz {
namespace {

using test::TempDir;

// Standard output and error of the command, and whether it ended by itself.
std::string run(const std::string& command, bool& exited) {
    std::string out;
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    exited = false;
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    exited = WIFEXITED(status);
    return out;
}

bool has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST(ProgramModules, StartingAndReadingJpegsLoadsNeitherFfmpegNorLibheifUntilAHeicIsRead) {
    const std::string cli = std::string("LD_DEBUG=libs ") + DZ_CLI_PATH;
    bool exited = false;
    const std::string heic = DZ_TEST_DATA "/IMG_5195.HEIC";
    for (const char* args : {"--version", "info " DZ_TEST_DATA "/canon-40d.jpg"}) {
        const std::string loaded = run(cli + " " + args, exited);
        ASSERT_TRUE(exited) << args;
        // The dynamic linker's own lines are there, so a library it loaded would be too.
        ASSERT_TRUE(has(loaded, "libc.so")) << loaded;
        for (const char* library : {"libavcodec", "libavformat", "libheif", "dezoredu-video", "dezoredu-heif"}) {
            EXPECT_FALSE(has(loaded, library)) << args << " loaded " << library;
        }
    }
    const std::string reading = run(cli + " info --all-formats " + heic, exited);
    EXPECT_TRUE(has(reading, "dezoredu-heif.so")) << reading;
    EXPECT_TRUE(has(reading, "libheif")) << reading;
    EXPECT_FALSE(has(reading, "libavcodec")) << "a HEIC file needs no FFmpeg";
}

TEST(ProgramModules, WithoutItsModulesTheProgramStillReadsVideosAndPassesOverHeicSayingWhy) {
    TempDir dir;
    const std::filesystem::path alone = dir.path() / "dezoredu-cli";
    std::filesystem::copy_file(DZ_CLI_PATH, alone);
    const std::string command = alone.string() + " info --all-formats --all " DZ_TEST_DATA "/IMG_5195.HEIC " DZ_TEST_DATA
                                "/QuickTime.mov";
    bool exited = false;
    const std::string without = run(command, exited);
    ASSERT_TRUE(exited) << without;
    EXPECT_TRUE(has(without, "\"cameraMake\":\"PENTAX DIGITAL CAMERA\"")) << without;
    EXPECT_TRUE(has(without, "\"passedOver\":true")) << without;
    EXPECT_TRUE(has(without, "dezoredu-heif.so is not installed")) << without;

    // The same program with the module beside it reads the picture.
    const std::filesystem::path module = std::filesystem::path(DZ_CLI_PATH).parent_path() / "dezoredu-heif.so";
    std::filesystem::create_symlink(std::filesystem::canonical(module), dir.path() / "dezoredu-heif.so");
    const std::string with = run(command, exited);
    ASSERT_TRUE(exited) << with;
    EXPECT_FALSE(has(with, "\"passedOver\":true")) << with;
    EXPECT_TRUE(has(with, "IMG_5195.HEIC")) << with;
}

}  // namespace
}  // namespace dz
