// The duplicate finder's two passes on realistic amounts of pictures.
//
//   duplicates_bench analyse PHOTOS   3,200 catalogued copies of the photos:
//                                     ms per picture from the EXIF thumbnail
//                                     and from the file (thumbnails ignored)
//   duplicates_bench compare [N]      the compare pass on N signatures (default
//                                     20,000) with duplicates mixed in, beside
//                                     a comparison of every pair; checks that
//                                     both give the same groups

#include "PairwiseReference.h"
#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "duplicates/AnalysisPass.h"
#include "duplicates/CDuplicates.h"
#include "duplicates/ComparePass.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <iostream>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFilesPerFolder = 200;  // 30 folders, 6,000 files: 3,200 catalogued

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<dz::PictureRecord> scan(const std::string& root) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    reader.listFolders(root, true);
    reader.collectPictures("*.jpg", true, false);
    return reader.catalogue();
}

// Records with blocks of their own, so each run starts unanalysed.
std::vector<dz::PictureRecord> freshCopy(const std::vector<dz::PictureRecord>& pictures, bool keepThumbnails) {
    std::vector<dz::PictureRecord> copy = pictures;
    for (dz::PictureRecord& p : copy) {
        p.block = std::make_shared<dz::PictureBlock>(*p.block);
        p.block->signature = {};
        if (!keepThumbnails) {
            p.block->exif.thumbnail.clear();
            p.block->exif.thumbnailSize = 0;
        }
    }
    return copy;
}

struct AnalysisRun {
    double seconds = 0;
    dz::AnalysisOutcome outcome;
    int analysed = 0;
};

AnalysisRun timeAnalysis(std::vector<dz::PictureRecord>& pictures) {
    AnalysisRun run;
    const auto start = Clock::now();
    run.outcome = dz::analyseCatalogue(pictures);
    run.seconds = secondsSince(start);
    run.analysed = static_cast<int>(std::count_if(pictures.begin(), pictures.end(),
                                                  [](const dz::PictureRecord& p) { return dz::isAnalysed(p); }));
    return run;
}

void report(const char* what, const AnalysisRun& run) {
    std::printf("%-34s %5d pictures, %5d analysed, %8.3f s, %7.3f ms per picture\n", what, run.outcome.attempted,
                run.analysed, run.seconds, run.outcome.attempted ? 1000.0 * run.seconds / run.outcome.attempted : 0.0);
}

int analyse(const fs::path& photos) {
    const fs::path root = dz::bench::makeTempFolder("dezoredu-duplicates-bench");
    if (root.empty()) {
        std::fprintf(stderr, "duplicates_bench: no temporary folder\n");
        return 1;
    }
    dz::bench::buildTree(root, dz::bench::findPhotos(photos), kFilesPerFolder);
    const std::vector<dz::PictureRecord> catalogue = scan(root.string());
    if (catalogue.empty()) {
        std::fprintf(stderr, "duplicates_bench: nothing catalogued in %s\n", root.c_str());
        fs::remove_all(root);
        return 1;
    }
    std::vector<dz::PictureRecord> withThumbnail;
    std::copy_if(catalogue.begin(), catalogue.end(), std::back_inserter(withThumbnail),
                 [](const dz::PictureRecord& p) { return !p.exif().thumbnail.empty(); });
    std::printf("catalogued %zu pictures, %zu with an EXIF thumbnail\n", catalogue.size(), withThumbnail.size());

    std::vector<dz::PictureRecord> thumbs = freshCopy(withThumbnail, true);
    const AnalysisRun fromThumbnails = timeAnalysis(thumbs);
    std::vector<dz::PictureRecord> files = freshCopy(catalogue, false);
    const AnalysisRun fromFiles = timeAnalysis(files);
    std::vector<dz::PictureRecord> asProgram = freshCopy(catalogue, true);
    const AnalysisRun mixed = timeAnalysis(asProgram);
    const AnalysisRun again = timeAnalysis(asProgram);
    report("from the EXIF thumbnail:", fromThumbnails);
    report("from the file (thumbnails ignored):", fromFiles);
    report("as the program does (both):", mixed);
    std::printf("%-34s %5d pictures decoded, %8.6f s\n", "second pass over the same:", again.outcome.attempted,
                again.seconds);

    // The same picture gives the same shares however often it is copied.
    const dz::CompareOutcome groups = dz::compareCatalogue(asProgram);
    std::printf("the compare pass over them: %zu groups, %d duplicates\n", groups.groups.size(), groups.duplicates);
    fs::remove_all(root);
    return 0;
}

// Shares as the analysis makes them: square roots of block sums, normalised.
dz::Signature madeSignature(std::mt19937_64& random) {
    std::uniform_int_distribution<int> blockSum(0, 65280);
    dz::Signature s{};
    double total = 0.0;
    for (double& v : s) {
        v = std::sqrt(static_cast<double>(blockSum(random)));
        total += v;
    }
    for (double& v : s) {
        v /= total;
    }
    return s;
}

// Mostly different pictures; about one in eight a copy of an earlier one
// (pairs, and a few larger sets), and a handful that never decoded.
std::vector<dz::Signature> realisticSignatures(std::size_t count) {
    std::mt19937_64 random(2004);
    std::vector<dz::Signature> signatures;
    signatures.reserve(count);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    while (signatures.size() < count) {
        const double roll = chance(random);
        if (roll < 0.12 && !signatures.empty()) {
            std::uniform_int_distribution<std::size_t> earlier(0, signatures.size() - 1);
            signatures.push_back(signatures[earlier(random)]);
        } else if (roll < 0.1225) {
            signatures.push_back(dz::Signature{});
        } else {
            signatures.push_back(madeSignature(random));
        }
    }
    std::shuffle(signatures.begin(), signatures.end(), random);
    return signatures;
}

int compare(std::size_t count) {
    const std::vector<dz::Signature> signatures = realisticSignatures(count);

    double fastBest = 1e9;
    dz::CompareOutcome fast;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        fast = dz::compareSignatures(signatures);
        fastBest = std::min(fastBest, secondsSince(start));
    }
    auto start = Clock::now();
    const dz::CompareOutcome plain = dz::test::comparePairwise(signatures);
    const double plainSeconds = secondsSince(start);

    const bool same = fast.groups == plain.groups && fast.marks == plain.marks && fast.duplicates == plain.duplicates;
    std::printf("%zu signatures: %zu groups, %d duplicates\n", count, fast.groups.size(), fast.duplicates);
    std::printf("compare pass    %10.6f s (best of 5)\n", fastBest);
    std::printf("every pair      %10.6f s\n", plainSeconds);
    std::printf("same groups: %s; %.0f times faster\n", same ? "yes" : "NO", plainSeconds / fastBest);

    // The window's Compare over a catalogue of such pictures: marks, list
    // lines, status and progress per picture, a pump before each.
    std::vector<dz::PictureRecord> catalogue(count);
    for (std::size_t i = 0; i < count; ++i) {
        catalogue[i].path = "/photos/roll/IMG_" + std::to_string(i) + ".jpg";
        catalogue[i].block = std::make_shared<dz::PictureBlock>();
        catalogue[i].block->signature = signatures[i];
        if (catalogue[i].block->signature[0] == 0.0) {
            catalogue[i].block->signature[0] = 1e-3;  // analysed; compare opens enabled
        }
    }
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    std::vector<dz::PictureRecord> removed;
    std::int64_t removedBytes = 0;
    std::int32_t found = 0;
    bool abortRequest = false;
    std::int32_t exclude = 0;
    bool filmBuilt = false;
    dz::CDuplicates window(host, dz::DuplicateJob{catalogue, removed, removedBytes, found,
                                                  static_cast<std::int32_t>(count), abortRequest, exclude,
                                                  filmBuilt});
    window.onInit();
    start = Clock::now();
    window.onCommand(dz::CDuplicates::kCompare);
    const double windowSeconds = secondsSince(start);
    std::printf("window Compare  %10.6f s, %zu list lines, status \"%s\"\n", windowSeconds,
                window.control(dz::CDuplicates::kGroups).items.size(),
                window.control(dz::CDuplicates::kStatus).text.c_str());
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "analyse") {
        return analyse(args[1]);
    }
    if (!args.empty() && args[0] == "compare" && args.size() <= 2) {
        return compare(args.size() == 2 ? std::stoul(args[1]) : 20000);
    }
    std::fprintf(stderr, "usage: duplicates_bench analyse PHOTOS | compare [COUNT]\n");
    return 2;
}
