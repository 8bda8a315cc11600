#pragma once

#include "app/AppState.h"
#include "app/CVazedazDlg.h"
#include "app/MainWindowIds.h"
#include "platform/FileSystem.h"

#include "EnvScope.h"
#include "LocalStamp.h"
#include "ScriptedHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace dz::test {

// Scans `source` in a main window of its own, has `defineAlbums` set the
// albums over its catalogue of `pictures` pictures, chooses `target` (none
// when empty), sets the move option and saves the session to `path` with
// File > Save Session, as a user would. `settingsFiles` are written into the
// window's settings folder (name, content) before it starts.
inline void saveSessionThroughWindow(const std::string& source, const std::string& target, bool move,
                                     const std::string& path, std::size_t pictures,
                                     const std::function<void(AppState&)>& defineAlbums,
                                     const std::vector<std::pair<std::string, std::string>>& settingsFiles = {}) {
    // Settings of its own: tests running beside it save theirs meanwhile.
    TempDir settings;
    EnvScope configHome{"XDG_CONFIG_HOME", settings.str().c_str()};
    for (const auto& [name, content] : settingsFiles) {
        settings.write("dezoredu/" + name, content);
    }
    ScriptedHost host;
    FileSystem fileSystem;
    AppState state(fileSystem);
    state.unsavedPictureFiles = PictureFiles::JpegOnly;
    CVazedazDlg window(host, state);
    window.onInit();
    host.browseTo(source);
    window.onCommand(mainwin::kMenuSelectSource);
    ASSERT_EQ(state.dirReader->catalogue().size(), pictures) << "every picture is catalogued";
    defineAlbums(state);
    if (!target.empty()) {
        host.browseTo(target);
        window.onCommand(mainwin::kSelectTargetButton);
    }
    state.settings.moveFiles = move ? 1 : 0;
    window.refreshAlbumList();
    host.saveFileAnswer(path);
    window.onCommand(mainwin::kMenuSaveSession);
    ASSERT_TRUE(host.messages.empty()) << host.messages.front().text;
    ASSERT_TRUE(std::filesystem::exists(path));
}

// A source folder of four real camera pictures and a session over it, made
// and saved by the program's own main window: album "Trip" (folder 2006,
// original names) holds IMG_3 and IMG_1, album "Home" (the target itself,
// its own sub-folder) holds IMG_2, and IMG_4 is in no album. The commands
// run in a fresh working folder, as a script would start them.
class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char buffer[4096];
        ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
        previousFolder_ = buffer;
        ASSERT_EQ(::chdir(workFolder.str().c_str()), 0);
        source.write("IMG_1.JPG", readTestData("canon-40d.jpg"));               // 2008:05:30 15:56:01
        source.write("IMG_2.JPG", readTestData("fujifilm-e500-big-endian.jpg"));  // 2006:08:17 09:24:48
        source.write("sub/IMG_3.JPG", readTestData("nikon-d70-comment-after-exif.jpg"));  // 2008:03:15 09:52:01
        source.write("IMG_4.JPG", readTestData("nikon-640x480-exif-thumbnail-160x120.jpg"));
        sessionPath = (workFolder.path() / "photos.fls").string();
    }
    void TearDown() override { ASSERT_EQ(::chdir(previousFolder_.c_str()), 0); }

    // Scans the source in a main window, defines the albums, chooses the
    // target (unless told not to) and saves the session with File > Save Session.
    void saveSession() {
        saveSessionThroughWindow(source.str(), chooseTarget ? target.str() : std::string(), moveFiles, sessionPath, 4,
                                 [this](AppState& state) { defineAlbums(state); });
    }

    void defineAlbums(AppState& state) {
        auto& catalogue = state.dirReader->catalogue();
        Album trip;
        trip.id = 1;
        trip.name = "Trip";
        trip.dirName = "2006";
        trip.keepOriginalName = 1;
        trip.addDate = trip.addTime = 0;
        trip.isNew = 0;
        trip.setStart(static_cast<std::uint64_t>(localStamp(2008, 3, 15, 9, 52, 1)));
        trip.setEnd(static_cast<std::uint64_t>(localStamp(2008, 5, 30, 15, 56, 1)));
        Album home;
        home.id = 2;
        home.name = "Home";
        home.dirName = "\\";
        home.createSubDir = homeHasFolder ? 1 : 0;
        home.addDate = home.addTime = 0;
        home.isNew = 0;
        home.setStart(static_cast<std::uint64_t>(localStamp(2006, 8, 17, 9, 24, 48)));
        home.setEnd(static_cast<std::uint64_t>(localStamp(2006, 8, 17, 9, 24, 48)));
        for (PictureRecord& picture : catalogue) {
            const std::string name = std::filesystem::path(picture.path).filename().string();
            Album* album = name == "IMG_2.JPG" ? &home : name == "IMG_4.JPG" ? nullptr : &trip;
            // Film positions as the Edit Album window numbers them.
            picture.block->filmImageIndex = name[4] - '1';
            if (album != nullptr) {
                picture.albumId = album->id;
                ++album->pictureCount;
                album->sizeMB += static_cast<float>(picture.size) / 1048576.0f;
            }
        }
        trip.isProcessed = home.isProcessed = albumsProcessed ? 1 : 0;
        state.albums = {trip, home};
    }

    std::string tripFolder() const { return target.str() + "/2006/Trip"; }
    std::string homeFolder() const { return target.str() + "/Home"; }

    static std::string fileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            out.push_back(line);
        }
        return out;
    }

    // Settings of the session to save.
    bool chooseTarget = true;
    bool moveFiles = false;
    bool albumsProcessed = false;
    bool homeHasFolder = true;

    TempDir workFolder;
    TempDir source;
    TempDir target;
    std::string sessionPath;

private:
    std::string previousFolder_;
};

}  // namespace dz::test
