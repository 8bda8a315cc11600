#pragma once

#include "albums/Album.h"
#include "catalogue/PictureRecord.h"
#include "platform/FileSystem.h"
#include "platform/Window.h"
#include "process/PictureName.h"

#include <string>
#include <vector>

namespace dz {

// What the Albums Processing window works on.
struct ProcessJob {
    AlbumList& albums;
    std::vector<PictureRecord>& catalogue;
    std::string targetPath;
    bool moveFiles = false;
    NameFormats formats;
};

// The "Albums Processing" window: checks the free space when it opens and
// writes the unprocessed albums into the target folder when Process is
// pressed, asking the user on every file-system error.
class CProcess final : public Window {
public:
    static constexpr int kCloseWindow = 1;
    static constexpr int kProcessStatus = 1159;
    static constexpr int kAlbumProgress = 1160;
    static constexpr int kPictureProgress = 1161;
    static constexpr int kProcessHint = 1162;
    static constexpr int kProcess = 1163;
    static constexpr int kCancel = 1164;

    CProcess(Host& host, FileSystem& fileSystem, ProcessJob job);

    void onInit() override;
    void onCommand(int id) override;
    void onCancel() override;

    void planSpace();
    void runProcessing();

    bool running() const { return running_; }
    // Albums that ended with the user giving them up in the last run.
    int failures() const { return failures_; }
    bool lastRunCancelled() const { return lastRunCancelled_; }

private:
    enum class PassEnd { Done, Failed, Cancelled };

    // Per album: the state the picture steps share.
    struct AlbumPass {
        bool moveThis = false;
        bool firstPicture = true;
        bool firstDay = true;
        std::string lastDay;
    };

    void showStatus(const std::string& status, const std::string& hint);
    PassEnd processAlbum(Album& album);
    bool processPicture(const PictureRecord& picture, const Album& album, AlbumPass& pass);
    // Builds the album folder of a picture, creating its levels on the first
    // picture; empty when the album is given up.
    bool albumPathOf(const PictureRecord& picture, const Album& album, AlbumPass& pass, std::string& path);
    bool makeFolder(const std::string& path);
    bool copyPicture(const std::string& from, const std::string& to);
    bool movePicture(const std::string& from, const std::string& to, AlbumPass& pass);
    void endRun(int albumsVisited);

    FileSystem& fileSystem_;
    ProcessJob job_;
    bool processCancel_ = false;
    bool running_ = false;
    bool closeAfterRun_ = false;
    int failures_ = 0;
    bool lastRunCancelled_ = false;
};

}  // namespace dz
