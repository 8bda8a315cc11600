// Scan throughput per kind of file in the "All photos and videos" mode:
//   formats_scan_bench <photos folder> <sample file>...
// makes one folder per kind (JPEG from the photos folder, the others from
// the sample files: hard links to them, so every read is warm) and scans
// each alone, against a plain loop doing the least work the scan must do
// for that kind: the marker sections of a JPEG up to its start of scan, the
// whole of any other file. The JPEG folder is also scanned in "JPEG only"
// mode against the same loop, the ratio the scan benchmark has always had.

#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "formats/PictureKind.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 3;
constexpr int kCopiesPerSample = 300;

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct ScanResult {
    double seconds = 0;
    std::size_t catalogued = 0;
};

ScanResult scan(const std::string& root, dz::PictureFiles files) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    reader.setPictureFiles(files);
    const auto start = Clock::now();
    reader.listFolders(root, true);
    reader.collectPictures("*.jpg", true, false);
    return {seconds(Clock::now() - start), reader.catalogue().size()};
}

// The marker sections up to the start of scan, decoding nothing.
void readSections(int fd, std::vector<unsigned char>& body) {
    unsigned char head[4];
    if (::read(fd, head, 2) != 2 || head[0] != 0xFF || head[1] != 0xD8) {
        return;
    }
    while (::read(fd, head, 4) == 4 && head[0] == 0xFF) {
        const std::size_t length = (std::size_t{head[2]} << 8) | head[3];
        if (length < 2) {
            return;
        }
        body.resize(length - 2);
        if (::read(fd, body.data(), body.size()) != static_cast<ssize_t>(body.size()) || head[1] == 0xDA) {
            return;
        }
    }
}

void readWhole(int fd, std::vector<unsigned char>& body) {
    body.resize(1 << 20);
    while (::read(fd, body.data(), body.size()) > 0) {
    }
}

double plainLoop(const std::vector<std::string>& files, bool jpeg) {
    std::vector<unsigned char> body;
    const auto start = Clock::now();
    for (const std::string& f : files) {
        const int fd = ::open(f.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        jpeg ? readSections(fd, body) : readWhole(fd, body);
        ::close(fd);
    }
    return seconds(Clock::now() - start);
}

// Hard links to `sample` in one folder, `count` of them.
std::vector<std::string> linkCopies(const fs::path& folder, const fs::path& sample, int count) {
    fs::create_directories(folder);
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        const fs::path target = folder / (sample.stem().string() + "_" + std::to_string(i) + sample.extension().string());
        std::error_code linkError;
        fs::create_hard_link(sample, target, linkError);
        if (linkError) {
            fs::copy_file(sample, target);
        }
        files.push_back(target.string());
    }
    return files;
}

struct Rates {
    double scan = 0;
    double plain = 0;
    std::size_t catalogued = 0;
};

Rates measure(const fs::path& folder, const std::vector<std::string>& files, dz::PictureFiles mode, bool jpeg) {
    scan(folder.string(), mode);  // warm-up: page cache and directory cache
    Rates best;
    double bestScan = 1e30;
    double bestPlain = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const ScanResult s = scan(folder.string(), mode);
        bestScan = std::min(bestScan, s.seconds);
        best.catalogued = s.catalogued;
        bestPlain = std::min(bestPlain, plainLoop(files, jpeg));
    }
    const double n = static_cast<double>(files.size());
    best.scan = n / bestScan;
    best.plain = n / bestPlain;
    return best;
}

void report(const std::string& kind, std::size_t files, const Rates& r) {
    std::printf("%-22s %6zu files, %6zu catalogued: scan %9.0f files/s, plain loop %9.0f files/s, ratio %.2f\n",
                kind.c_str(), files, r.catalogued, r.scan, r.plain, r.scan / r.plain);
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !fs::is_directory(argv[1])) {
        std::fprintf(stderr, "usage: formats_scan_bench PHOTOS_FOLDER [SAMPLE_FILE...]\n");
        return 2;
    }
    const std::vector<fs::path> photos = dz::bench::findPhotos(argv[1]);
    const fs::path root = dz::bench::makeTempFolder("dezoredu-formats-bench");
    if (photos.empty() || root.empty()) {
        std::fprintf(stderr, "formats_scan_bench: no photos in %s, or no temporary folder\n", argv[1]);
        return 1;
    }
    const std::vector<std::string> jpegs = dz::bench::buildTree(root / "jpeg", photos);
    report("JPEG, JPEG only", jpegs.size(), measure(root / "jpeg", jpegs, dz::PictureFiles::JpegOnly, true));
    report("JPEG, all formats", jpegs.size(), measure(root / "jpeg", jpegs, dz::PictureFiles::AllFormats, true));

    // One folder per kind of sample, named by its extension.
    std::map<std::string, std::vector<fs::path>> samplesByKind;
    for (int i = 2; i < argc; ++i) {
        const fs::path sample = argv[i];
        if (dz::pictureKindOf(sample.string(), dz::PictureFiles::AllFormats) == dz::PictureKind::None) {
            std::fprintf(stderr, "formats_scan_bench: %s is of no kind the scan takes\n", argv[i]);
            continue;
        }
        samplesByKind[upper(sample.extension().string().substr(1))].push_back(sample);
    }
    for (const auto& [kind, samples] : samplesByKind) {
        const fs::path folder = root / kind;
        std::vector<std::string> files;
        for (const fs::path& sample : samples) {
            const std::vector<std::string> made =
                linkCopies(folder, sample, kCopiesPerSample / static_cast<int>(samples.size()));
            files.insert(files.end(), made.begin(), made.end());
        }
        report(kind + ", all formats", files.size(), measure(folder, files, dz::PictureFiles::AllFormats, false));
    }

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
