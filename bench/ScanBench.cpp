// Scan throughput against a plain read of the same marker sections, and the
// memory one catalogued picture costs.

#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <iostream>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 3;

using dz::bench::buildTree;
using dz::bench::findPhotos;
using dz::bench::kTopFolders;
using dz::bench::kSubFolders;

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct ScanResult {
    double seconds = 0;
    std::size_t catalogued = 0;
};

ScanResult runScan(const std::string& root) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    const auto start = std::chrono::steady_clock::now();
    reader.listFolders(root, true);
    reader.collectPictures("*.jpg", true, false);
    const auto end = std::chrono::steady_clock::now();
    return {seconds(end - start), reader.catalogue().size()};
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

double runBaseline(const std::vector<std::string>& files, std::size_t& sections) {
    std::vector<unsigned char> body;
    sections = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& f : files) {
        sections += readSections(f, body);
    }
    return seconds(std::chrono::steady_clock::now() - start);
}

std::size_t heapBytes(const std::string& s) {
    // Short texts live inside the string object itself.
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

void reportMemory(const std::string& root) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    reader.listFolders(root, true);
    reader.collectPictures("*.jpg", true, false);
    const auto& catalogue = reader.catalogue();
    if (catalogue.empty()) {
        return;
    }
    std::size_t strings = 0;
    std::size_t thumbnails = 0;
    for (const dz::PictureRecord& r : catalogue) {
        const dz::ExifInfo& e = r.exif();
        strings += heapBytes(r.path) + heapBytes(e.exifVersion) + heapBytes(e.cameraMake) +
                   heapBytes(e.cameraModel) + heapBytes(e.dateTime) + heapBytes(e.comment) +
                   heapBytes(r.block->customName);
        thumbnails += e.thumbnail.capacity();
    }
    const double n = static_cast<double>(catalogue.size());
    const double fixed = static_cast<double>(sizeof(dz::PictureRecord) + sizeof(dz::PictureBlock));
    std::printf("memory per picture: %zu (record) + %zu (block) + %.0f (texts) + %.0f (thumbnail) = %.0f bytes\n",
                sizeof(dz::PictureRecord), sizeof(dz::PictureBlock), strings / n, thumbnails / n,
                fixed + (strings + thumbnails) / n);
    std::printf("average thumbnail copy: %.0f bytes over %zu pictures\n", thumbnails / n, catalogue.size());
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path photosFolder = argc > 1 ? fs::path(argv[1]) : fs::path(DZ_DEFAULT_PHOTOS);
    if (!fs::is_directory(photosFolder)) {
        std::fprintf(stderr, "usage: scan_bench [PHOTOS_FOLDER]  (no folder %s)\n", photosFolder.c_str());
        return 2;
    }
    const std::vector<fs::path> photos = findPhotos(photosFolder);
    if (photos.empty()) {
        std::fprintf(stderr, "scan_bench: no *.jpg files in %s\n", photosFolder.c_str());
        return 2;
    }
    std::string pattern = (fs::temp_directory_path() / "dezoredu-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("scan_bench: mkdtemp");
        return 1;
    }
    const fs::path root = pattern;
    const std::vector<std::string> files = buildTree(root, photos);
    std::printf("tree: %zu files from %zu photos in %d folders\n", files.size(), photos.size(),
                kTopFolders * (1 + kSubFolders));

    runScan(root.string());  // warm-up: page cache and directory cache
    std::size_t sections = 0;
    runBaseline(files, sections);

    double bestScan = 1e30;
    double bestBaseline = 1e30;
    std::size_t catalogued = 0;
    for (int i = 0; i < kRuns; ++i) {
        const ScanResult scan = runScan(root.string());
        bestScan = std::min(bestScan, scan.seconds);
        catalogued = scan.catalogued;
        bestBaseline = std::min(bestBaseline, runBaseline(files, sections));
    }
    const double n = static_cast<double>(files.size());
    const double scanRate = n / bestScan;
    const double baselineRate = n / bestBaseline;
    std::printf("scan:     %10.0f files/s  (%zu catalogued, best of %d: %.4f s)\n", scanRate, catalogued,
                kRuns, bestScan);
    std::printf("baseline: %10.0f files/s  (%zu sections, best of %d: %.4f s)\n", baselineRate, sections,
                kRuns, bestBaseline);
    std::printf("ratio scan/baseline: %.2f (target >= 0.50)\n", scanRate / baselineRate);
    reportMemory(root.string());

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
