// The duplicate finder's two passes on realistic amounts of pictures.
//
//   duplicates_bench analyse PHOTOS   3,200 catalogued copies of the photos:
//                                     ms per picture from the EXIF thumbnail
//                                     and from the file (thumbnails ignored)
//   duplicates_bench compare [N]      the compare pass on N signatures (default
//                                     20,000) with duplicates mixed in, beside
//                                     a comparison of every pair; checks that
//                                     both give the same groups
//   duplicates_bench similar [N]      the similar mode's pass on N signatures
//                                     (default 100,000) with look-alikes mixed
//                                     in, and on 5,000 of them beside every pair
//   duplicates_bench lookalikes PHOTOS  a labelled set of copies and look-alikes
//                                     of the photos: per kind, what the exact
//                                     and the similar mode group, rightly and
//                                     wrongly, and the distances behind it

#include "LookAlikeSet.h"
#include "PairwiseReference.h"
#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "duplicates/AnalysisPass.h"
#include "duplicates/CDuplicates.h"
#include "duplicates/ComparePass.h"
#include "duplicates/PictureLook.h"
#include "duplicates/SignatureDistance.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <iostream>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
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

// Look-alikes of distinct signatures: each share moved by a small relative
// amount, then normalised again, as re-encoding moves them.
std::vector<dz::Signature> signaturesWithLookAlikes(std::size_t count) {
    std::vector<dz::Signature> signatures = realisticSignatures(count);
    std::mt19937_64 random(2005);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::normal_distribution<double> wobble(0.0, 0.004);
    for (dz::Signature& s : signatures) {
        if (chance(random) >= 0.1 || s[0] == 0.0) {
            continue;
        }
        std::uniform_int_distribution<std::size_t> any(0, signatures.size() - 1);
        dz::Signature near = signatures[any(random)];
        double total = 0.0;
        for (double& v : near) {
            v *= 1.0 + wobble(random);
            total += v;
        }
        for (double& v : near) {
            v /= total;
        }
        s = near;
    }
    return signatures;
}

int similar(std::size_t count) {
    const double threshold = dz::kDefaultSimilarThreshold;
    dz::CompareRule rule;
    rule.threshold = threshold;
    const std::vector<dz::Signature> signatures = signaturesWithLookAlikes(count);
    double best = 1e9;
    dz::CompareOutcome fast;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        fast = dz::compareSignatures(signatures, {}, rule);
        best = std::min(best, secondsSince(start));
    }
    std::printf("%zu signatures, threshold %g: %zu groups, %d alike, %.3f s (best of 3; target < 2 s)\n", count,
                threshold, fast.groups.size(), fast.duplicates, best);

    const std::vector<dz::Signature> some(signatures.begin(), signatures.begin() + std::min<std::size_t>(5000, count));
    auto start = Clock::now();
    const dz::CompareOutcome indexed = dz::compareSignatures(some, {}, rule);
    const double indexedSeconds = secondsSince(start);
    start = Clock::now();
    const dz::CompareOutcome plain = dz::test::comparePairwise(some, rule);
    const double plainSeconds = secondsSince(start);
    const bool same = indexed.groups == plain.groups && indexed.marks == plain.marks;
    std::printf("%zu of them: %zu groups; indexed %.4f s, every pair %.4f s; same groups: %s\n", some.size(),
                indexed.groups.size(), indexedSeconds, plainSeconds, same ? "yes" : "NO");
    return same && best < 2.0 ? 0 : 1;
}

// Pictures of camera size: the nine of one Nikon (one copied without its
// thumbnail) and a Canon.
std::vector<dz::test::LookAlikeOriginal> cameraSizeOriginals(const fs::path& photos) {
    std::vector<dz::test::LookAlikeOriginal> originals;
    for (const auto& entry : fs::directory_iterator(photos / "gps")) {
        if (entry.path().extension() == ".jpg") {
            originals.push_back({entry.path().string(), false});
        }
    }
    std::sort(originals.begin(), originals.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    if (!originals.empty()) {
        originals.back().dropThumbnail = true;
    }
    originals.push_back({(photos / "Canon_PowerShot_S40.jpg").string(), false});
    return originals;
}

// The collection's samples of about 100 x 75 pixels, where a resize by half
// leaves less than the 64 x 64 the signature is made at.
std::vector<dz::test::LookAlikeOriginal> smallOriginals(const fs::path& photos) {
    std::vector<dz::test::LookAlikeOriginal> originals;
    for (const char* name : {"Konica_Minolta_DiMAGE_Z3.jpg", "Samsung_Digimax_i50_MP3.jpg", "Fujifilm_FinePix_E500.jpg",
                             "Nikon_COOLPIX_P1.jpg", "Pentax_K10D.jpg"}) {
        originals.push_back({(photos / name).string(), false});
    }
    return originals;
}

void printScores(const char* mode, const std::vector<dz::test::LookAlikeScore>& scores) {
    std::printf("\n%s\n%-42s %8s %8s %8s\n", mode, "kind", "pictures", "found", "wrong");
    for (const dz::test::LookAlikeScore& s : scores) {
        std::printf("%-42s %8d %8s %8d\n", s.kind.c_str(), s.pictures,
                    s.sameImage ? std::to_string(s.found).c_str() : "-", s.wrong);
    }
}

// `checked` false groups by the analysis signatures alone, as the search did
// before it looked at the pictures' own pixels.
std::vector<dz::test::LookAlikeScore> search(const dz::test::LookAlikeSet& set, std::vector<dz::PictureRecord>& pictures,
                                             double threshold, bool checked = true) {
    std::vector<dz::Signature> signatures;
    for (const dz::PictureRecord& p : pictures) {
        signatures.push_back(p.block->signature);
    }
    const dz::CompareOutcome outcome =
        checked ? dz::compareCatalogue(pictures, {}, threshold) : dz::compareSignatures(signatures);
    std::map<std::string, int> groupOf;
    for (std::size_t g = 0; g < outcome.groups.size(); ++g) {
        groupOf[pictures[outcome.groups[g].head].path] = static_cast<int>(g);
        for (const std::size_t m : outcome.groups[g].members) {
            groupOf[pictures[m].path] = static_cast<int>(g);
        }
    }
    return dz::test::scoreLookAlikes(set, [&](const std::string& path) {
        const auto it = groupOf.find(path);
        return it == groupOf.end() ? -1 : it->second;
    });
}

int lookAlikeSet(const char* title, const std::vector<dz::test::LookAlikeOriginal>& originals) {
    std::printf("==== %s\n", title);
    const fs::path root = dz::bench::makeTempFolder("dezoredu-lookalikes-bench");
    const dz::test::LookAlikeSet set = dz::test::makeLookAlikeSet(originals, root.string());
    if (!set.error.empty()) {
        std::fprintf(stderr, "duplicates_bench: %s\n", set.error.c_str());
        fs::remove_all(root);
        return 1;
    }
    std::vector<dz::PictureRecord> pictures = scan(root.string());
    dz::analyseCatalogue(pictures);
    dz::analyseOwnPixelsOfCatalogue(pictures);
    std::map<std::string, const dz::PictureRecord*> byPath;
    for (const dz::PictureRecord& p : pictures) {
        byPath[p.path] = &p;
    }
    // The distances behind the groups, each picture against its original:
    // the analysis signature (from the thumbnail where there is one), the
    // signature of the own pixels and the own-pixel look.
    std::printf("%-36s %-32s %10s %10s %7s %5s\n", "picture", "kind", "signature", "own", "look", "thumb");
    std::vector<dz::PictureLook> originalLooks;
    for (const dz::test::LookAlike& p : set.pictures) {
        const auto self = byPath.find(p.path);
        const auto original = byPath.find(set.originals[static_cast<std::size_t>(p.original)]);
        if (self == byPath.end() || original == byPath.end()) {
            std::printf("%-36s not catalogued\n", fs::path(p.path).filename().c_str());
            continue;
        }
        const dz::PictureRecord& a = *self->second;
        const dz::PictureRecord& b = *original->second;
        const dz::PictureLook lookA = dz::lookOfFile(a.path, a.exif().width, a.exif().height);
        const dz::PictureLook lookB = dz::lookOfFile(b.path, b.exif().width, b.exif().height);
        const char* kind = p.kind < 0 ? "original" : dz::test::lookAlikeKinds()[static_cast<std::size_t>(p.kind)].name;
        std::printf("%-36s %-32s %10.6f %10.6f %7.2f %5s\n", fs::path(p.path).filename().c_str(), kind,
                    dz::signatureDistance(a.block->signature, b.block->signature),
                    dz::signatureDistance(a.block->ownSignature, b.block->ownSignature), dz::lookDifference(lookA, lookB),
                    a.exif().thumbnail.empty() ? "no" : "yes");
    }
    // How far apart distinct pictures lie: the nearest two originals.
    double nearest = 1e9;
    for (std::size_t i = 0; i < set.originals.size(); ++i) {
        for (std::size_t j = i + 1; j < set.originals.size(); ++j) {
            const auto a = byPath.find(set.originals[i]);
            const auto b = byPath.find(set.originals[j]);
            if (a != byPath.end() && b != byPath.end()) {
                nearest = std::min(nearest, dz::signatureDistance(a->second->block->ownSignature,
                                                                  b->second->block->ownSignature));
            }
        }
    }
    std::printf("\nnearest two originals by their own signatures: %.6f\n", nearest);

    printScores("exact mode by signatures alone (before the pixel check)", search(set, pictures, 0.0, false));
    printScores("exact mode", search(set, pictures, 0.0));
    char heading[64];
    std::snprintf(heading, sizeof heading, "similar mode, threshold %g", dz::kDefaultSimilarThreshold);
    printScores(heading, search(set, pictures, dz::kDefaultSimilarThreshold));
    std::printf("\n");
    fs::remove_all(root);
    return 0;
}

int lookAlikes(const fs::path& photos) {
    const int camera = lookAlikeSet("pictures of camera size (640 x 480, 480 x 360)", cameraSizeOriginals(photos));
    const int small = lookAlikeSet("the 100-pixel samples", smallOriginals(photos));
    return camera != 0 ? camera : small;
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
    if (!args.empty() && args[0] == "similar" && args.size() <= 2) {
        return similar(args.size() == 2 ? std::stoul(args[1]) : 100000);
    }
    if (args.size() == 2 && args[0] == "lookalikes") {
        return lookAlikes(args[1]);
    }
    std::fprintf(stderr, "usage: duplicates_bench analyse PHOTOS | compare [COUNT] | similar [COUNT] | lookalikes PHOTOS\n");
    return 2;
}
