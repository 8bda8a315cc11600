// The Edit Album film on an archive-sized catalogue, one session per run of
// this program so that its peak memory is that session's:
//   film_scale_bench tree <photos folder> <root> <pictures>
//     fills <root> with hard links to copies of the photos that get
//     catalogued, so that the catalogue holds about <pictures> pictures;
//   film_scale_bench session <root> <workers>
//     scans <root>, opens a new album's Edit Album window and reports the
//     scan time, the time to the first screen of thumbnails, the time until
//     every thumbnail is made, and the peak resident memory. The thumbnail
//     cache is the one $XDG_CACHE_HOME names;
//   film_scale_bench open <root> <workers>
//     the same up to the first screen of thumbnails only (for profiling).
// Built with DZ_FILM_BASELINE it runs on the build before the background
// thumbnails, where opening the window makes every thumbnail at once.

#include "CliHost.h"

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/CViewPhoto.h"
#include "catalogue/CDirReader.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"
#ifndef DZ_FILM_BASELINE
#include "albums/ThumbnailCache.h"
#endif

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

long peakRssMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// CPU time (user and system) of the program's threads so far: the window's
// thread (the first) and all the others (the workers). Read from /proc, so
// that the split holds however loaded the machine is.
struct CpuSplit {
    double window = 0;
    double workers = 0;
};

CpuSplit cpuSplit() {
    CpuSplit split;
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    const std::string self = std::to_string(getpid());
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "stat");
        std::string line;
        std::getline(in, line);
        // The fields after the command name, which is in parentheses.
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string field;
        long user = 0, system = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            user = i == 14 ? std::atol(field.c_str()) : user;
            system = i == 15 ? std::atol(field.c_str()) : system;
        }
        (task.path().filename() == self ? split.window : split.workers) += (user + system) / tick;
    }
    return split;
}

// A screen of film on a large window.
constexpr int kShownItems = 40;

bool catalogue(dz::CDirReader& reader, const std::string& root) {
    reader.setBiasMinutes(dz::currentTimeZone().totalBiasMinutes());
    reader.listFolders(root, true);
    return reader.collectPictures("*.jpg", true, false);
}

int tree(const fs::path& photos, const fs::path& root, long wanted) {
    // Copies first, on the tree's own file system, so that the links never
    // reach into the photos folder.
    const fs::path originals = root / "originals";
    fs::create_directories(originals);
    for (const auto& entry : fs::directory_iterator(photos)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (entry.is_regular_file() && ext == ".jpg") {
            fs::copy_file(entry.path(), originals / entry.path().filename(), fs::copy_options::overwrite_existing);
        }
    }
    dz::CliHost host(std::cerr);
    dz::FileSystem fileSystem;
    bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    if (!catalogue(reader, originals.string()) || reader.catalogue().empty()) {
        std::fprintf(stderr, "film_scale_bench: nothing catalogued in %s\n", photos.c_str());
        return 2;
    }
    std::vector<std::string> sources;
    for (const auto& picture : reader.catalogue()) {
        sources.push_back(picture.path);
    }
    // The originals folder is scanned with the tree: it counts.
    const long links = std::max(0L, wanted - static_cast<long>(sources.size()));
    constexpr long kPerFolder = 1000;
    for (long i = 0; i < links; ++i) {
        const fs::path folder = root / ("roll" + std::to_string(i / kPerFolder));
        if (i % kPerFolder == 0) {
            fs::create_directories(folder);
        }
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%06ld.jpg", i);
        fs::create_hard_link(sources[static_cast<std::size_t>(i) % sources.size()], folder / name);
    }
    std::printf("tree: %ld hard links to %zu catalogued originals\n", links, sources.size());
    return 0;
}

int session(const std::string& root, int workers, bool openOnly) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    auto start = Clock::now();
    catalogue(reader, root);
    const double scan = seconds(Clock::now() - start);

    dz::AlbumList albums;
    dz::AlbumEditing editing;
    dz::ViewSettings view;
    dz::FilmImageList images;
    bool filmBuilt = false;
    const std::int32_t dateFormat = 1, timeFormat = 1, excludeDuplicates = 0;
    dz::AlbumWorkspace ws{host,         reader,     albums,     editing,           view,
                          images,       filmBuilt,  abortRequest, dateFormat, timeFormat,
                          excludeDuplicates, reader.biasMinutes(), ""};
#ifndef DZ_FILM_BASELINE
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    ws.thumbnailCacheFolder = dz::ThumbnailCache::folderFor(xdg, nullptr);
    ws.thumbnailWorkers = workers;
#else
    (void)workers;
#endif
    reader.sortCatalogue(2, false);
    dz::createAlbum(albums, editing, reader, host);
    dz::CViewPhoto window(ws);
    const CpuSplit scanned = cpuSplit();
    start = Clock::now();
    window.onInit();
    const double init = seconds(Clock::now() - start);
    window.onShown();
    const double items = seconds(Clock::now() - start);
#ifndef DZ_FILM_BASELINE
    dz::Control& film = window.control(dz::CViewPhoto::kFilm);
    film.firstShown = 0;
    film.lastShown = kShownItems - 1;
    window.onItemsShown(dz::CViewPhoto::kFilm);
    const auto inView = [&] {
        for (int item = 0; item < kShownItems && item < static_cast<int>(film.itemImages.size()); ++item) {
            if (!images.hasPixels(film.itemImages[static_cast<std::size_t>(item)])) {
                return false;
            }
        }
        return true;
    };
    // As the window's idle calls come on the desktop, every 40 ms at most.
    while (!inView() && window.onIdle()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const double firstView = seconds(Clock::now() - start);
    if (openOnly) {
        std::printf("open: pictures=%zu opened-s=%.2f items-s=%.2f first-view-s=%.2f\n", reader.catalogue().size(),
                    init, items, firstView);
        window.onCancel();
        return 0;
    }
    while (window.onIdle()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const bool complete = images.complete();
#else
    const double firstView = seconds(Clock::now() - start);
    const bool complete = filmBuilt;
#endif
    const double done = seconds(Clock::now() - start);
    const CpuSplit cpu = cpuSplit();
    std::printf("session: pictures=%zu scan-s=%.2f opened-s=%.2f items-s=%.2f first-view-s=%.2f complete-s=%.2f "
                "peak-rss-mb=%ld complete=%d window-cpu-s=%.2f workers-cpu-s=%.2f\n",
                reader.catalogue().size(), scan, init, items, firstView, done, peakRssMB(), complete ? 1 : 0,
                cpu.window - scanned.window, cpu.workers - scanned.workers);
    return complete ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "tree" && argc == 5) {
        return tree(argv[2], argv[3], std::atol(argv[4]));
    }
    if (mode == "session" && argc == 4) {
        return session(argv[2], std::atoi(argv[3]), false);
    }
    if (mode == "open" && argc == 4) {
        return session(argv[2], std::atoi(argv[3]), true);
    }
    std::fprintf(stderr, "usage: film_scale_bench tree <photos> <root> <pictures> | session|open <root> <workers>\n");
    return 2;
}
