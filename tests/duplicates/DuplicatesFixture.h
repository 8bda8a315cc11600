#pragma once

#include "catalogue/CDirReader.h"
#include "duplicates/PictureAnalysis.h"
#include "platform/FileSystem.h"

#include "ScriptedHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace dz::test {

// Real picture files in a folder, catalogued by the real scan and put in
// order of their names, so "catalogue order" is the order of the names.
class DuplicatesFixture : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& bytes) { folder.write(name, bytes); }

    std::vector<PictureRecord> scan() {
        const bool stop = false;
        CDirReader reader(host, fileSystem, stop);
        reader.listFolders(folder.str(), true);
        reader.collectPictures("*.jpg", true, false);
        std::vector<PictureRecord> pictures = reader.catalogue();
        std::sort(pictures.begin(), pictures.end(),
                  [](const PictureRecord& a, const PictureRecord& b) { return a.path < b.path; });
        return pictures;
    }

    // A record whose picture cannot be decoded: no thumbnail, no file.
    PictureRecord missing(const std::string& name) const {
        PictureRecord picture;
        picture.path = (folder.path() / name).string();
        picture.exifFound = true;
        picture.size = 1000;
        picture.block = std::make_shared<PictureBlock>();
        picture.block->exif.hasExif = true;
        picture.block->exif.dateTime = "2006:05:14 10:00:00";
        return picture;
    }

    static std::vector<std::string> pathsOf(const std::vector<PictureRecord>& pictures) {
        std::vector<std::string> paths;
        for (const PictureRecord& p : pictures) {
            paths.push_back(p.path);
        }
        return paths;
    }

    TempDir folder;
    ScriptedHost host;
    FileSystem fileSystem;
};

}  // namespace dz::test
