// The command-line program as a user runs it, whole process: `info` over
// 3,000 JPEG files against a loop that only reads each file's marker
// sections, and `--version` alone.
// Usage: cli_start_bench DEZOREDU_CLI [PHOTOS_FOLDER]

#include "PhotoTree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 5;
constexpr int kVersionRuns = 200;

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Reads one file's marker sections up to the start of scan, decoding nothing.
std::size_t readSections(const std::string& path, std::vector<unsigned char>& body) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    std::size_t sections = 0;
    unsigned char head[4];
    if (::read(fd, head, 2) == 2 && head[0] == 0xFF && head[1] == 0xD8) {
        while (::read(fd, head, 4) == 4 && head[0] == 0xFF) {
            const std::size_t length = (std::size_t{head[2]} << 8) | head[3];
            if (length < 2) {
                break;
            }
            body.resize(length - 2);
            if (::read(fd, body.data(), body.size()) != static_cast<ssize_t>(body.size())) {
                break;
            }
            ++sections;
            if (head[1] == 0xDA) {
                break;
            }
        }
    }
    ::close(fd);
    return sections;
}

double markerLoop(const std::vector<std::string>& files) {
    std::vector<unsigned char> body;
    std::size_t sections = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& f : files) {
        sections += readSections(f, body);
    }
    const double took = seconds(std::chrono::steady_clock::now() - start);
    return sections > 0 ? took : 1e30;
}

// Runs the program with its output to /dev/null; the wall time it took, or
// a negative number when it did not run.
double runProgram(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    const bool ran = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                     ::waitpid(pid, &status, 0) == pid;
    const double took = seconds(std::chrono::steady_clock::now() - start);
    posix_spawn_file_actions_destroy(&actions);
    return ran && WIFEXITED(status) ? took : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: cli_start_bench DEZOREDU_CLI [PHOTOS_FOLDER]\n");
        return 2;
    }
    const std::string cli = argv[1];
    const fs::path photosFolder = argc > 2 ? fs::path(argv[2]) : fs::path(DZ_DEFAULT_PHOTOS);
    const std::vector<fs::path> photos = dz::bench::findPhotos(photosFolder);
    const fs::path root = dz::bench::makeTempFolder("dezoredu-cli-start");
    if (photos.empty() || root.empty()) {
        std::fprintf(stderr, "cli_start_bench: no photos in %s or no temporary folder\n", photosFolder.c_str());
        return 2;
    }
    const std::vector<std::string> files = dz::bench::buildTree(root, photos);

    double bestVersion = 1e30;
    double totalVersion = 0;
    for (int i = 0; i < kVersionRuns; ++i) {
        const double took = runProgram({cli, "--version"});
        if (took < 0) {
            std::fprintf(stderr, "cli_start_bench: %s --version failed\n", cli.c_str());
            return 1;
        }
        bestVersion = std::min(bestVersion, took);
        totalVersion += took;
    }
    std::printf("--version: mean %.2f ms, best %.2f ms over %d runs (target < 5 ms)\n",
                1000 * totalVersion / kVersionRuns, 1000 * bestVersion, kVersionRuns);

    runProgram({cli, "info", root.string()});  // warm-up: page cache and directory cache
    markerLoop(files);
    double bestInfo = 1e30;
    double bestLoop = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        bestInfo = std::min(bestInfo, runProgram({cli, "info", root.string()}));
        bestLoop = std::min(bestLoop, markerLoop(files));
    }
    const double n = static_cast<double>(files.size());
    std::printf("info, whole process: %8.0f files/s (%zu files, best of %d: %.4f s)\n", n / bestInfo, files.size(),
                kRuns, bestInfo);
    std::printf("marker-section loop: %8.0f files/s (best of %d: %.4f s)\n", n / bestLoop, kRuns, bestLoop);
    std::printf("ratio info/loop: %.2f (target >= 0.50)\n", bestLoop / bestInfo);

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
