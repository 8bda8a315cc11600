// The duplicate finder's two passes on realistic amounts of pictures.
//
//   duplicates_bench analyse PHOTOS   3,200 catalogued copies of the photos:
//                                     ms per picture from the EXIF thumbnail
//                                     and from the file (thumbnails ignored)
//   duplicates_bench compare [N]      the compare pass on N signatures (default
//                                     20,000) with duplicates mixed in, beside
//                                     a comparison of every pair; checks that
//                                     both give the same groups
//   duplicates_bench similar [N]      the similar mode's pass on N synthetic
//                                     looks (default 100,000) with copies mixed
//                                     in, beside a comparison of every pair
//   duplicates_bench lookalikes PHOTOS [JPEG...]  a labelled set of copies and
//                                     look-alikes of camera and phone pictures
//                                     (and of the JPEG files given): per kind,
//                                     the distances of each measure, and what
//                                     the exact and the similar mode group,
//                                     rightly and wrongly
//   duplicates_bench lookalikes-of JPEG...  the same for the given pictures

#include "LookAlikeSet.h"
#include "PairwiseReference.h"
#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "duplicates/AnalysisPass.h"
#include "duplicates/CDuplicates.h"
#include "duplicates/ComparePass.h"
#include "duplicates/LookHash.h"
#include "duplicates/PictureLook.h"
#include "duplicates/PictureLooks.h"
#include "duplicates/SignatureDistance.h"
#include "formats/PictureDecode.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <array>
#include <bit>
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

// Looks as pictures give them: light that varies smoothly, its spatial
// frequencies weaker the finer they are (as in photographs), over a random
// brightness, with grain; about one in ten a copy of an earlier one with the
// small changes of a re-encode, and a few that never decoded.
std::vector<dz::PictureLook> syntheticLooks(std::size_t count) {
    constexpr int side = dz::PictureLook::kSide;
    constexpr int kept = 12;  // frequencies made in each direction
    std::array<std::array<double, side>, kept> basis{};
    for (int u = 0; u < kept; ++u) {
        for (int x = 0; x < side; ++x) {
            basis[static_cast<std::size_t>(u)][static_cast<std::size_t>(x)] = std::cos(3.14159265358979 * (2 * x + 1) * u / (2.0 * side));
        }
    }
    std::mt19937_64 random(2005);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<dz::PictureLook> looks;
    looks.reserve(count);
    while (looks.size() < count) {
        const double roll = chance(random);
        dz::PictureLook look;
        look.width = 4032;
        look.height = 3024;
        if (roll < 0.1 && !looks.empty()) {
            std::uniform_int_distribution<std::size_t> earlier(0, looks.size() - 1);
            look = looks[earlier(random)];
            for (std::uint8_t& g : look.grey) {
                g = static_cast<std::uint8_t>(std::clamp(g + 0.8 * normal(random), 0.0, 255.0));
            }
        } else if (roll < 0.101) {
            looks.push_back(look);  // never decoded
            continue;
        } else {
            std::array<std::array<double, kept>, kept> strength{};
            for (int v = 0; v < kept; ++v) {
                for (int u = 0; u < kept; ++u) {
                    strength[static_cast<std::size_t>(v)][static_cast<std::size_t>(u)] =
                        (u + v == 0 ? 0.0 : 60.0 / (u + v)) * normal(random);
                }
            }
            const double base = 40.0 + 170.0 * chance(random);
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    double light = base;
                    for (int v = 0; v < kept; ++v) {
                        for (int u = 0; u < kept; ++u) {
                            light += strength[static_cast<std::size_t>(v)][static_cast<std::size_t>(u)] *
                                     basis[static_cast<std::size_t>(u)][static_cast<std::size_t>(x)] *
                                     basis[static_cast<std::size_t>(v)][static_cast<std::size_t>(y)];
                        }
                    }
                    look.grey[static_cast<std::size_t>(y * side + x)] =
                        static_cast<std::uint8_t>(std::clamp(light + 1.5 * normal(random), 0.0, 255.0));
                }
            }
        }
        look.hash = dz::lookHash(look);
        look.valid = true;
        looks.push_back(look);
    }
    return looks;
}

int similar(std::size_t count) {
    const double threshold = dz::kDefaultSimilarThreshold;
    const std::vector<dz::PictureLook> looks = syntheticLooks(count);
    auto start = Clock::now();
    std::size_t hashed = 0;  // bits set, so that the hashing is not left out
    for (const dz::PictureLook& look : looks) {
        hashed += static_cast<std::size_t>(std::popcount(dz::lookHash(look)));
    }
    const double hashSeconds = secondsSince(start);
    double best = 1e9;
    dz::CompareOutcome fast;
    for (int round = 0; round < 3; ++round) {
        start = Clock::now();
        fast = dz::compareLooks(looks, {}, threshold);
        best = std::min(best, secondsSince(start));
    }
    start = Clock::now();
    const dz::CompareOutcome plain = dz::test::comparePairwiseLooks(looks, threshold);
    const double plainSeconds = secondsSince(start);
    const bool same = fast.groups == plain.groups && fast.marks == plain.marks;
    std::printf("%zu looks, hash reach %d bits, look distance %g: %zu groups, %d alike\n", count,
                dz::kSimilarHashReach, threshold, fast.groups.size(), fast.duplicates);
    std::printf("hashing the looks  %8.3f s (%.1f bits set a hash; made once per picture with its look)\n",
                hashSeconds, static_cast<double>(hashed) / static_cast<double>(count));
    std::printf("similar pass       %8.3f s (best of 3; target < 2 s)\n", best);
    std::printf("every pair         %8.3f s\n", plainSeconds);
    std::printf("same groups: %s; the pass takes %.4f of the time of every pair\n", same ? "yes" : "NO",
                best / plainSeconds);
    return same && best < 2.0 ? 0 : 1;
}

// Pictures of camera size of four makers: the nine of one Nikon (one copied
// without its thumbnail), three each of a Pixel 5 and an iPhone 11, the
// phones' taken at nearly the same moments and place, and `more` (the
// script's Reconyx trail camera picture, given the IFD0 date the scan needs).
std::vector<dz::test::LookAlikeOriginal> cameraSizeOriginals(const fs::path& photos, const std::vector<std::string>& more) {
    std::vector<dz::test::LookAlikeOriginal> originals;
    std::vector<fs::path> phones;
    for (const auto& entry : fs::directory_iterator(photos / "gps")) {
        if (entry.path().extension() == ".jpg") {
            originals.push_back({entry.path().string(), false});
        }
    }
    std::sort(originals.begin(), originals.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    if (!originals.empty()) {
        originals.back().dropThumbnail = true;
    }
    for (const auto& entry : fs::directory_iterator(photos / "phones")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("PXL_", 0) == 0 || name.rfind("IMG_", 0) == 0) {
            phones.push_back(entry.path());
        }
    }
    std::sort(phones.begin(), phones.end());
    for (const fs::path& phone : phones) {
        originals.push_back({phone.string(), false});
    }
    for (const std::string& path : more) {
        originals.push_back({path, false});
    }
    return originals;
}

// The collection's samples of about 100 x 75 pixels, where a resize by half
// leaves less than the 32 x 32 the look is made at.
std::vector<dz::test::LookAlikeOriginal> smallOriginals(const fs::path& photos) {
    std::vector<dz::test::LookAlikeOriginal> originals;
    for (const char* name : {"Konica_Minolta_DiMAGE_Z3.jpg", "Samsung_Digimax_i50_MP3.jpg", "Fujifilm_FinePix_E500.jpg",
                             "Nikon_COOLPIX_P1.jpg", "Pentax_K10D.jpg", "Canon_PowerShot_S40.jpg"}) {
        originals.push_back({(photos / name).string(), false});
    }
    return originals;
}

// Recall: copies grouped with their original, of all copies. Precision: of
// the pictures of the kind that were grouped, those grouped only with their
// own picture.
void printScores(const char* mode, const std::vector<dz::test::LookAlikeScore>& scores) {
    std::printf("\n%s\n%-42s %8s %8s %8s %8s %9s\n", mode, "kind", "pictures", "found", "wrong", "recall",
                "precision");
    for (const dz::test::LookAlikeScore& s : scores) {
        const int grouped = s.found + s.wrong;
        std::printf("%-42s %8d %8s %8d %8s %9s\n", s.kind.c_str(), s.pictures,
                    s.sameImage ? std::to_string(s.found).c_str() : "-", s.wrong,
                    s.sameImage ? (std::to_string(100 * s.found / std::max(1, s.pictures)) + "%").c_str() : "-",
                    grouped > 0 ? (std::to_string(100 * s.found / grouped) + "%").c_str() : "-");
    }
}

// `checked` false groups by the analysis signatures alone, as the search did
// before it looked at the pictures' own pixels.
std::vector<dz::test::LookAlikeScore> search(const dz::test::LookAlikeSet& set, std::vector<dz::PictureRecord>& pictures,
                                             const dz::PictureLooks& looks, double threshold, bool checked = true) {
    std::vector<dz::Signature> signatures;
    for (const dz::PictureRecord& p : pictures) {
        signatures.push_back(p.block->signature);
    }
    const dz::CompareOutcome outcome = checked ? dz::compareCatalogue(pictures, {}, threshold, looks.looks())
                                               : dz::compareSignatures(signatures);
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

// The signature of a file's own pixels, as the similar mode keyed on before.
dz::Signature ownSignature(const std::string& path) {
    dz::CRaster image;
    dz::Signature signature{};
    dz::DecodeOptions options;
    options.wantedWidth = dz::kSignatureSide;
    options.wantedHeight = dz::kSignatureSide;
    if (dz::decodePictureFile(path, options, image)) {
        dz::signatureOfImage(image, signature);
    }
    return signature;
}

// What each measure gives a pair: the signatures of the own pixels, the
// hashes, the looks and their mean greys.
struct PairMeasure {
    double signature = 0;
    int hashBits = 0;
    double look = 0;
    double brightness = 0;  // the means' difference as a share of the brighter
};

PairMeasure measure(const dz::PictureLook& a, const dz::PictureLook& b, const dz::Signature& sa, const dz::Signature& sb) {
    const double ma = dz::meanGrey(a);
    const double mb = dz::meanGrey(b);
    return PairMeasure{dz::signatureDistance(sa, sb), dz::hashDistance(a.hash, b.hash), dz::lookDistance(a, b),
                       std::fabs(ma - mb) / std::max({ma, mb, 1.0})};
}

struct Spread {
    PairMeasure least{1e9, 64, 1e9, 1e9};
    PairMeasure most{};
    void add(const PairMeasure& m) {
        least = {std::min(least.signature, m.signature), std::min(least.hashBits, m.hashBits),
                 std::min(least.look, m.look), std::min(least.brightness, m.brightness)};
        most = {std::max(most.signature, m.signature), std::max(most.hashBits, m.hashBits), std::max(most.look, m.look),
                std::max(most.brightness, m.brightness)};
    }
};

void printSpread(const std::string& what, const Spread& s) {
    std::printf("%-42s %9.5f-%-9.5f %3d-%-3d %7.4f-%-7.4f %6.3f-%-6.3f\n", what.c_str(), s.least.signature,
                s.most.signature, s.least.hashBits, s.most.hashBits, s.least.look, s.most.look, s.least.brightness,
                s.most.brightness);
}

int lookAlikeSet(const char* title, const std::vector<dz::test::LookAlikeOriginal>& originals) {
    std::printf("==== %s\n", title);
    const fs::path root = dz::bench::makeTempFolder("dezoredu-lookalikes-bench");
    const auto madeAt = Clock::now();
    const dz::test::LookAlikeSet set = dz::test::makeLookAlikeSet(originals, root.string());
    if (!set.error.empty()) {
        std::fprintf(stderr, "duplicates_bench: %s\n", set.error.c_str());
        fs::remove_all(root);
        return 1;
    }
    std::printf("%zu pictures made in %.1f s\n", set.pictures.size(), secondsSince(madeAt));
    std::vector<dz::PictureRecord> pictures = scan(root.string());
    dz::analyseCatalogue(pictures);
    dz::PictureLooks looks;
    const auto lookedAt = Clock::now();
    looks.update(pictures);
    std::printf("%zu looks made in %.3f s\n", pictures.size(), secondsSince(lookedAt));
    std::map<std::string, std::size_t> byPath;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        byPath[pictures[i].path] = i;
    }
    std::map<std::string, dz::Signature> own;
    for (const dz::PictureRecord& p : pictures) {
        own[p.path] = ownSignature(p.path);
    }
    // Each made picture against its original, by kind.
    const auto& kinds = dz::test::lookAlikeKinds();
    std::printf("%-48s %-32s %9s %3s %7s %6s\n", "picture", "kind", "own sign.", "bit", "look", "bright");
    std::vector<Spread> byKind(kinds.size());
    for (const dz::test::LookAlike& p : set.pictures) {
        const auto self = byPath.find(p.path);
        const auto original = byPath.find(set.originals[static_cast<std::size_t>(p.original)]);
        if (p.kind < 0) {
            continue;
        }
        if (self == byPath.end() || original == byPath.end()) {
            std::printf("%s not catalogued\n", fs::path(p.path).filename().c_str());
            continue;
        }
        const PairMeasure m = measure(looks.looks()[self->second], looks.looks()[original->second], own[p.path],
                                      own[pictures[original->second].path]);
        byKind[static_cast<std::size_t>(p.kind)].add(m);
        std::printf("%-48s %-32s %9.5f %3d %7.4f %6.3f\n", fs::path(p.path).filename().c_str(),
                    kinds[static_cast<std::size_t>(p.kind)].name, m.signature, m.hashBits, m.look, m.brightness);
    }
    // Distinct pictures: every two originals.
    Spread others;
    for (std::size_t i = 0; i < set.originals.size(); ++i) {
        for (std::size_t j = i + 1; j < set.originals.size(); ++j) {
            if (byPath.count(set.originals[i]) == 0 || byPath.count(set.originals[j]) == 0) {
                continue;
            }
            const std::size_t a = byPath.at(set.originals[i]);
            const std::size_t b = byPath.at(set.originals[j]);
            others.add(measure(looks.looks()[a], looks.looks()[b], own[pictures[a].path], own[pictures[b].path]));
        }
    }
    std::printf("\neach picture against its original (least-most):\n%-42s %19s %7s %15s %13s\n", "kind",
                "own signature", "hash", "look distance", "brightness");
    Spread copies;
    Spread apart;
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        printSpread(kinds[k].name, byKind[k]);
        (kinds[k].sameImage ? copies : apart).add(byKind[k].least);
        (kinds[k].sameImage ? copies : apart).add(byKind[k].most);
    }
    printSpread("other originals, every two", others);
    printSpread("= every copy", copies);
    printSpread("= every crop, inversion, exposure", apart);

    printScores("exact mode by signatures alone (before the pixel check)", search(set, pictures, looks, 0.0, false));
    printScores("exact mode", search(set, pictures, looks, 0.0));
    char heading[96];
    std::snprintf(heading, sizeof heading, "similar mode: hash reach %d bits, look distance %g",
                  dz::kSimilarHashReach, dz::kDefaultSimilarThreshold);
    printScores(heading, search(set, pictures, looks, dz::kDefaultSimilarThreshold));
    std::printf("\n");
    fs::remove_all(root);
    return 0;
}

int lookAlikes(const fs::path& photos, const std::vector<std::string>& more) {
    const int camera =
        lookAlikeSet("camera-size pictures of four makers (Nikon 640 x 480, Pixel 5 and iPhone 11 4032 x 3024, "
                     "Reconyx 2048 x 1536)",
                     cameraSizeOriginals(photos, more));
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
    if (args.size() >= 2 && args[0] == "lookalikes") {
        return lookAlikes(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
    }
    if (args.size() >= 2 && args[0] == "lookalikes-of") {
        std::vector<dz::test::LookAlikeOriginal> originals;
        for (std::size_t i = 1; i < args.size(); ++i) {
            originals.push_back({args[i], false});
        }
        return lookAlikeSet("the given pictures", originals);
    }
    std::fprintf(stderr, "usage: duplicates_bench analyse PHOTOS | compare [COUNT] | similar [COUNT] | lookalikes PHOTOS [JPEG...] | lookalikes-of JPEG...\n");
    return 2;
}
