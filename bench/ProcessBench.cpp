// The processing run's throughput on a tree of real photographs. The script
// run-process.sh times `cp` and `mv` of the same files beside it.
//
//   process_bench prepare PHOTOS ROOT LIST   fills ROOT, writes the catalogued files to LIST
//   process_bench copy ROOT TARGET           copies every catalogued picture into TARGET
//   process_bench move ROOT TARGET           moves them
// copy and move print "<seconds> <pictures>" for the run alone (not the scan).

#include "PhotoTree.h"
#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "platform/ConfigFolder.h"
#include "platform/FileSystem.h"
#include "process/CProcess.h"
#include "process/RunPlan.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFilesPerFolder = 200;  // 30 folders, 6,000 files: over 3,000 catalogued

std::vector<dz::PictureRecord> scan(const std::string& root) {
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    reader.listFolders(root, true);
    reader.collectPictures("*.jpg", true, false);
    return reader.catalogue();
}

int prepare(const fs::path& photos, const fs::path& root, const fs::path& list) {
    fs::create_directories(root);
    dz::bench::buildTree(root, dz::bench::findPhotos(photos), kFilesPerFolder);
    const std::vector<dz::PictureRecord> catalogue = scan(root.string());
    std::ofstream out(list);
    for (const dz::PictureRecord& p : catalogue) {
        out << p.path << '\n';
    }
    std::fprintf(stderr, "prepared %zu catalogued pictures in %s\n", catalogue.size(), root.c_str());
    return catalogue.empty() ? 1 : 0;
}

int process(const std::string& root, const std::string& target, bool move, bool journal, bool flush, bool planOnly,
            bool verify) {
    std::vector<dz::PictureRecord> catalogue = scan(root);
    if (catalogue.empty()) {
        std::fprintf(stderr, "process_bench: nothing catalogued in %s\n", root.c_str());
        return 1;
    }
    // One album of every picture straight into the target under its own
    // name, so the files land exactly where `cp -t TARGET` puts them.
    dz::Album album;
    album.id = 1;
    album.name = "All";
    album.dirName = "\\";
    album.createSubDir = 0;
    album.keepOriginalName = 1;
    album.addDate = 0;
    album.addTime = 0;
    for (dz::PictureRecord& p : catalogue) {
        p.albumId = 1;
        ++album.pictureCount;
    }
    dz::AlbumList albums{album};
    dz::CliHost host(std::cerr);  // a prompt in a benchmark is shown, never waited for
    dz::FileSystem fileSystem;
    fileSystem.setFlushCopies(flush);
    // The journal's key lives in the user's data folder: the script gives it one of its own.
    const dz::ProcessJob job{albums, catalogue, target, move, dz::NameFormats{}, journal, root, dz::userDataFolder(),
                             verify};
    if (planOnly) {
        const auto start = std::chrono::steady_clock::now();
        const dz::RunPlan plan = dz::planRun(job, fileSystem);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%.6f %zu\n", seconds, plan.pictures.size());
        return 0;
    }
    dz::CProcess window(host, fileSystem, job);
    const auto start = std::chrono::steady_clock::now();
    window.runProcessing();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (albums[0].isProcessed != 1) {
        std::fprintf(stderr, "process_bench: the album was not processed: %s\n",
                     window.control(dz::CProcess::kProcessStatus).text.c_str());
        return 1;
    }
    std::printf("%.6f %zu\n", seconds, catalogue.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "prepare") {
        return prepare(args[1], args[2], args[3]);
    }
    if (args.size() >= 3 && (args[0] == "copy" || args[0] == "move" || args[0] == "plan")) {
        // --journal keeps the run's journal; --no-flush leaves the copies unflushed; --verify reads them back.
        const auto has = [&](const char* option) { return std::find(args.begin() + 3, args.end(), option) != args.end(); };
        return process(args[1], args[2], args[0] == "move", has("--journal"), !has("--no-flush"), args[0] == "plan",
                       has("--verify"));
    }
    std::fprintf(stderr, "usage: process_bench prepare PHOTOS ROOT LIST | copy|move|plan ROOT TARGET [--journal] "
                         "[--no-flush] [--verify]\n");
    return 2;
}
