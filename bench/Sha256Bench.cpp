// Hashing throughput of each SHA-256 engine over a buffer in memory, the rate a
// copy that hashes as it goes can reach at best. The rate per second of CPU time
// is printed beside the wall-clock one, as the build machines are shared.

#include "platform/Md5.h"
#include "platform/Sha256.h"

#ifdef DZ_BENCH_OPENSSL
#include <openssl/evp.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void measure(const char* name, dz::Sha256::Engine engine, const std::vector<std::uint8_t>& bytes) {
    dz::Sha256 hash(engine);
    double bestWall = 0;
    double bestCpu = 0;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        hash.update(bytes.data(), bytes.size());
        hash.finish();
        const double cpu = cpuSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bestWall = std::max(bestWall, static_cast<double>(bytes.size()) / wall / 1e6);
        bestCpu = std::max(bestCpu, static_cast<double>(bytes.size()) / cpu / 1e6);
    }
    std::printf("%s: %.0f MB/s wall clock, %.0f MB/s of CPU time\n", name, bestWall, bestCpu);
}

#ifdef DZ_BENCH_OPENSSL
void measureOpenSsl(const std::vector<std::uint8_t>& bytes) {
    double bestWall = 0;
    double bestCpu = 0;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
        const double cpu = cpuSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bestWall = std::max(bestWall, static_cast<double>(bytes.size()) / wall / 1e6);
        bestCpu = std::max(bestCpu, static_cast<double>(bytes.size()) / cpu / 1e6);
    }
    std::printf("libcrypto: %.0f MB/s wall clock, %.0f MB/s of CPU time\n", bestWall, bestCpu);
}
#endif

// The thumbnail cache hashes one short URI a picture: names a second.
void measureMd5() {
    std::vector<std::string> uris;
    for (int i = 0; i < 200000; ++i) {
        uris.push_back("file:///home/user/Pictures/2026/Trip/IMG_" + std::to_string(i) + ".JPG");
    }
    double start = cpuSeconds();
    std::size_t sink = 0;
    for (const std::string& uri : uris) {
        sink += dz::md5Hex(uri).size();
    }
    std::printf("md5, ours: %.2f M names/s of CPU time\n", static_cast<double>(uris.size()) / (cpuSeconds() - start) / 1e6);
#ifdef DZ_BENCH_OPENSSL
    start = cpuSeconds();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    for (const std::string& uri : uris) {
        EVP_Digest(uri.data(), uri.size(), digest, &length, EVP_md5(), nullptr);
        sink += length;
    }
    std::printf("md5, libcrypto: %.2f M names/s of CPU time\n",
                static_cast<double>(uris.size()) / (cpuSeconds() - start) / 1e6);
#endif
    if (sink == 0) {
        std::printf("?\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
    std::vector<std::uint8_t> bytes(megabytes << 20);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    }
    measure("portable", dz::Sha256::Engine::Portable, bytes);
    if (dz::Sha256::hardwareAvailable()) {
        measure("hardware", dz::Sha256::Engine::Fastest, bytes);
    } else {
        std::printf("hardware: not on this CPU\n");
    }
#ifdef DZ_BENCH_OPENSSL
    measureOpenSsl(bytes);
#else
    std::printf("libcrypto: not built (install libssl-dev)\n");
#endif
    measureMd5();
    return 0;
}
