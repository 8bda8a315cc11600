#pragma once

#include "albums/Album.h"
#include "albums/AlbumEditing.h"
#include "albums/FilmImageList.h"
#include "app/Settings.h"
#include "catalogue/CDirReader.h"
#include "catalogue/DateRules.h"
#include "catalogue/PictureRecord.h"
#include "platform/FileSystem.h"
#include "timeline/CameraClock.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dz {

inline constexpr const char* kNotSelected = "Not Selected. Please select one first.";

// The texts the main window shows.
struct MainWindowTexts {
    std::string sourceFolder = kNotSelected;
    std::string targetFolder = kNotSelected;
    std::string status = "Wait for input...";
    std::string albumSummary = "No albums created";
};

// The application-wide objects, owned by the main window and handed by
// reference to the windows it opens.
struct AppState {
    explicit AppState(FileSystem& fs) : fileSystem(fs) {}

    FileSystem& fileSystem;
    std::string appFolder;
    // Where "fl.cfg" is read and written, chosen at start-up.
    std::string settingsFolder;
    // The user's data folder: the journals' key and the records of runs.
    std::string dataFolder;
    Settings settings;
    // The "Picture files" choice, kept in a file of its own.
    PictureFiles pictureFiles = PictureFiles::JpegOnly;
    // The choice where none has been saved: a phone's folder holds HEIC
    // pictures and videos. The command line keeps "JPEG only" for scripts.
    PictureFiles unsavedPictureFiles = PictureFiles::AllFormats;
    // The "Verify copies" choice, kept in a file of its own.
    bool verifyCopies = false;
    // The "Leave out pictures already in the target" choice, read from its
    // file when a window first needs it.
    std::optional<bool> leaveOutSorted;
    // The rules the catalogue's dates are made under: the current ones for
    // a new source, a loaded session's own for its pictures.
    DateRules dateRules = kCurrentDateRules;
    // One timeline for every camera: on for a new session, off for one
    // loaded from the first layout, whose keys it keeps.
    bool oneTimeline = true;
    // The clocks the user set for the catalogue's cameras, and the
    // corrections of single pictures' shot times, by path.
    CameraClocks cameraClocks;
    std::map<std::string, std::int64_t> pictureCorrections;
    MainWindowTexts texts;
    // The files the last scan left out, with their reasons.
    std::vector<PassedOver> passedOver;
    // The target path the processing window reads; set with texts.targetFolder.
    std::string processTargetPath;

    bool scanInProgress = false;
    bool abortRequest = false;
    std::unique_ptr<CDirReader> dirReader;
    AlbumList albums;
    AlbumEditing editing;
    ViewSettings viewSettings;
    // Thumbnails of the whole catalogue, laid out by the first film build after a scan.
    FilmImageList filmImages;
    // The shared thumbnail cache the film reads and fills; empty: none.
    std::string thumbnailCacheFolder;
    bool filmBuilt = false;
    std::vector<PictureRecord> removedPictures;

    std::int32_t scannedCount = 0;
    std::int32_t duplicatesFound = 0;
    std::int64_t removedBytes = 0;
    // Set by the Edit Album window; every scan clears it.
    bool editAlbumFlag = false;
};

}  // namespace dz
