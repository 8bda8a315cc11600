// The scan of JPEG pictures that carry positions, offsets and GPS times, put
// on the one timeline with their places named, against the scan of the same
// pictures without those tags, as every scan ran before the timeline.

#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Best of many: a scan this short is at the mercy of the machine's other work.
constexpr int kRuns = 15;

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct ScanResult {
    double seconds = 0;
    std::size_t catalogued = 0;
    std::size_t placed = 0;  // pictures with a named place
};

ScanResult runScan(const std::string& root, bool withTimeline) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    const int bias = dz::currentTimeZone().totalBiasMinutes();
    reader.setBiasMinutes(bias);
    const auto start = std::chrono::steady_clock::now();
    reader.listFolders(root, true);
    reader.collectPictures("*.jpg", true, false);
    if (withTimeline) {
        dz::placeCatalogueOnTimeline(reader.catalogue(), {}, dz::gazetteerPlaceFinder(), dz::computerOffsetAt, bias);
    }
    const auto end = std::chrono::steady_clock::now();
    ScanResult result{seconds(end - start), reader.catalogue().size(), 0};
    for (const dz::PictureRecord& picture : reader.catalogue()) {
        result.placed += picture.block->spot.place.empty() ? 0 : 1;
    }
    return result;
}

fs::path treeOf(const fs::path& photos, const char* name) {
    std::string pattern = (fs::temp_directory_path() / (std::string("dezoredu-bench-") + name + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("timeline_scan_bench: mkdtemp");
        std::exit(1);
    }
    const std::vector<std::string> files = dz::bench::buildTree(pattern, dz::bench::findPhotos(photos));
    std::printf("%s tree: %zu files\n", name, files.size());
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || !fs::is_directory(argv[1]) || !fs::is_directory(argv[2])) {
        std::fprintf(stderr, "usage: timeline_scan_bench PLAIN_PHOTOS TAGGED_PHOTOS\n");
        return 2;
    }
    const fs::path plain = treeOf(argv[1], "plain");
    const fs::path tagged = treeOf(argv[2], "tagged");

    // The first timeline opens the gazetteer: a cost paid once per process.
    const ScanResult first = runScan(tagged.string(), true);
    runScan(plain.string(), false);
    std::printf("first scan with the timeline (gazetteer opened): %.4f s\n", first.seconds);

    double bestPlain = 1e30;
    double bestTagged = 1e30;
    ScanResult plainScan;
    ScanResult taggedScan;
    for (int i = 0; i < kRuns; ++i) {
        plainScan = runScan(plain.string(), false);
        bestPlain = std::min(bestPlain, plainScan.seconds);
        taggedScan = runScan(tagged.string(), true);
        bestTagged = std::min(bestTagged, taggedScan.seconds);
    }
    const double plainRate = static_cast<double>(plainScan.catalogued) / bestPlain;
    const double taggedRate = static_cast<double>(taggedScan.catalogued) / bestTagged;
    std::printf("scan, no positions:             %10.0f pictures/s  (%zu, best of %d: %.4f s)\n", plainRate,
                plainScan.catalogued, kRuns, bestPlain);
    std::printf("scan + timeline + places:       %10.0f pictures/s  (%zu, %zu placed, best of %d: %.4f s)\n",
                taggedRate, taggedScan.catalogued, taggedScan.placed, kRuns, bestTagged);
    std::printf("ratio: %.2f (target >= 0.90)\n", taggedRate / plainRate);

    std::error_code ignored;
    fs::remove_all(plain, ignored);
    fs::remove_all(tagged, ignored);
    return 0;
}
