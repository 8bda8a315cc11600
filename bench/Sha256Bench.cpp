// Hashing throughput of each SHA-256 engine over a buffer in memory, the rate a
// copy that hashes as it goes can reach at best. The rate per second of CPU time
// is printed beside the wall-clock one, as the build machines are shared.

#include "platform/Sha256.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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
    return 0;
}
