#pragma once

#include "platform/FaultyFileSystem.h"
#include "platform/TimeZone.h"
#include "process/CProcess.h"

#include "ScriptedHost.h"
#include "TempDir.h"
#include "TinyJpeg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace dz::test {

// Real picture files in a source folder, a catalogue of them, albums over
// them and an empty target folder, processed by the real window logic on a
// file system that fails on demand.
class ProcessFixture : public ::testing::Test {
protected:
    // Adds a picture file with its record; its bytes are distinct.
    PictureRecord& addPicture(const std::string& name, const std::string& dateTime, int albumId, int filmIndex) {
        std::string bytes = catalogue.size() % 2 == 0 ? readTestData("canon-40d.jpg") : tinyExifJpeg(dateTime);
        bytes += name;  // trailing bytes after the end of image keep each file unique
        const std::filesystem::path file = source.write(name, bytes);
        originals[file.string()] = bytes;
        PictureRecord picture;
        picture.path = file.string();
        picture.size = bytes.size();
        picture.albumId = albumId;
        picture.block = std::make_shared<PictureBlock>();
        picture.block->exif.dateTime = dateTime;
        picture.block->exif.cameraMake = "Canon";
        picture.block->exif.cameraModel = "Canon EOS 40D";
        picture.block->filmImageIndex = filmIndex;
        catalogue.push_back(picture);
        return catalogue.back();
    }

    Album& addAlbum(int id, const std::string& name, const std::string& dirName = "\\") {
        Album album;
        album.id = id;
        album.name = name;
        album.dirName = dirName;
        album.addDate = 0;
        album.addTime = 0;
        for (const PictureRecord& p : catalogue) {
            if (p.albumId == id) {
                ++album.pictureCount;
                album.sizeMB += static_cast<float>(p.size) / 1048576.0f;
            }
        }
        albums.push_back(album);
        return albums.back();
    }

    CProcess& openWindow(bool move = false) {
        window = std::make_unique<CProcess>(
            host, fs,
            ProcessJob{albums, catalogue, target.str(), move, NameFormats{1, 1, currentTimeZone().totalBiasMinutes()}});
        window->onInit();
        return *window;
    }

    // Opens the window and presses Process.
    CProcess& process(bool move = false) {
        openWindow(move);
        EXPECT_TRUE(window->control(CProcess::kProcess).enabled) << window->control(CProcess::kProcessStatus).text;
        window->onCommand(CProcess::kProcess);
        return *window;
    }

    // The overwrite question for catalogue picture `i` meeting `relative` in the target.
    std::string overwriteQuestion(std::size_t i, const std::string& relative) const {
        const std::string& from = catalogue[i].path;
        return from.substr(from.rfind('/') + 1) + " already exists! Overwrite?\n\nPicture: " + from +
               "\nIn the target: " + target.str() + "/" + relative;
    }

    std::string status() const { return window->control(CProcess::kProcessStatus).text; }
    std::string hint() const { return window->control(CProcess::kProcessHint).text; }

    static std::string fileBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // Every file below the target, relative to it.
    std::vector<std::string> targetFiles() const {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(target.path())) {
            if (entry.is_regular_file()) {
                files.push_back(std::filesystem::relative(entry.path(), target.path()).string());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    std::string targetBytes(const std::string& relative) const { return fileBytes(target.path() / relative); }
    bool inTarget(const std::string& relative) const { return std::filesystem::exists(target.path() / relative); }

    // Nothing lost: every picture's bytes are still at its source or somewhere
    // in the target; after a move not in both; and no half-written file is
    // left anywhere.
    void expectEveryPictureKept(bool moved) const {
        std::map<std::string, int> inTargetCount;
        for (const std::string& file : targetFiles()) {
            EXPECT_EQ(file.find("dzpart"), std::string::npos) << file;
            ++inTargetCount[targetBytes(file)];
        }
        for (const auto& [path, bytes] : originals) {
            const bool atSource = std::filesystem::exists(path) && fileBytes(path) == bytes;
            const int copies = inTargetCount.count(bytes) ? inTargetCount.at(bytes) : 0;
            EXPECT_TRUE(atSource || copies > 0) << path << " is lost";
            if (moved) {
                EXPECT_FALSE(atSource && copies > 0) << path << " was left at both places";
            }
        }
    }

    TempDir source;
    TempDir target;
    ScriptedHost host;
    FaultyFileSystem fs;
    std::vector<PictureRecord> catalogue;
    AlbumList albums;
    std::map<std::string, std::string> originals;  // path -> bytes
    std::unique_ptr<CProcess> window;
};

}  // namespace dz::test
