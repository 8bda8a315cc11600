#include "app/CVazedazDlg.h"

#include "app/DuplicateStatus.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"
#include "app/SessionFile.h"
#include "app/SessionOfState.h"
#include "app/SessionPictures.h"
#include "platform/WorkingFolder.h"

#include <algorithm>
#include <optional>

namespace dz {

using namespace mainwin;

namespace {

constexpr const char* kSessionFilter = "Dezoredu session (*.fls)";
constexpr const char* kSessionSuffix = "fls";
constexpr const char* kSessionDamaged = "Session file is damaged. Session could not be loaded!";

std::optional<std::vector<std::uint8_t>> readWholeFile(FileSystem& fileSystem, const std::string& path) {
    auto source = fileSystem.openRead(path);
    if (!source) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = source->read(chunk, sizeof chunk);
        if (n == 0) {
            return bytes;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

// The removed-bytes counter as a session stores it; a value no counter can
// hold counts as nothing removed.
std::int64_t removedBytesOf(float stored) {
    constexpr float kLimit = 9.2e18f;
    if (!(stored > -kLimit && stored < kLimit)) {
        return 0;
    }
    return static_cast<std::int64_t>(stored);
}

}  // namespace

void CVazedazDlg::saveSessionCommand() {
    if (state_.scanInProgress) {
        // The catalogue is being filled below us.
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    auto path = host().saveFile(FileDialogRequest{"Save as", kSessionFilter, kSessionSuffix, currentDirectory()});
    if (!path) {
        host().messageBox("File not saved!", kCaption, Icon::Information);
        return;
    }
    const std::vector<std::uint8_t> bytes = writeSession(takeSession(state_));
    if (!state_.fileSystem.writeFile(*path, bytes)) {
        host().messageBox("File could not be saved!", kCaption, Icon::Error);
        return;
    }
    host().applySkin(state_.settings.skinEnabled != 0);
}

void CVazedazDlg::loadSessionCommand() {
    if (state_.scanInProgress) {
        // A load rescans; a second scan must not start beneath a running one.
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    const bool asked = !state_.albums.empty();
    if (asked) {
        if (host().messageBox("Albums will be lost. Continue to load session?", "Warning", Icon::Exclamation,
                              Buttons::OkCancel) != Answer::Ok) {
            host().applySkin(state_.settings.skinEnabled != 0);
            return;
        }
        // The albums go with the catalogue they were made on.
        deleteAllAlbums();
        resetCatalogue();
        enableNewAlbumCommands(false);
        refreshAlbumList();
    }
    auto path = host().openFile(FileDialogRequest{"Load Session", kSessionFilter, kSessionSuffix, currentDirectory()});
    if (!path) {
        if (asked) {
            host().messageBox("File not loaded!", kCaption, Icon::Information);
        }
        host().applySkin(state_.settings.skinEnabled != 0);
        return;
    }
    loadSessionFile(*path);
    host().applySkin(state_.settings.skinEnabled != 0);
}

bool CVazedazDlg::loadSessionFile(const std::string& path) {
    const auto bytes = readWholeFile(state_.fileSystem, path);
    if (!bytes) {
        host().messageBox("File could not be loaded!", kCaption, Icon::Error);
        return false;
    }
    return loadSession(*bytes);
}

void CVazedazDlg::sayWhenMadeWithOtherPictureFiles(double sizeFingerprint) {
    const PictureFiles inForce = state_.pictureFiles;
    const PictureFiles other = inForce == PictureFiles::JpegOnly ? PictureFiles::AllFormats : PictureFiles::JpegOnly;
    CDirReader reader(scanHost_, state_.fileSystem, state_.abortRequest);
    reader.setBiasMinutes(state_.dirReader->biasMinutes());
    reader.setPictureFiles(other);
    reader.setDateRules(state_.dateRules);
    reader.listFolders(state_.texts.sourceFolder, true);
    reader.collectPictures("*.jpg", true, false);
    auto& catalogue = reader.catalogue();
    if (state_.abortRequest || catalogue.empty()) {
        return;
    }
    sortForSession(catalogue);
    double fingerprint = 0;
    for (const PictureRecord& picture : catalogue) {
        fingerprint += fingerprintShare(picture);
    }
    if (fingerprint != sizeFingerprint) {
        return;
    }
    auto name = [](PictureFiles files) {
        return files == PictureFiles::AllFormats ? "\"All photos and videos\"" : "\"JPEG only\"";
    };
    host().messageBox(std::string("This session was made with ") + name(other) + "; the pictures are looked for with " +
                          name(inForce) + ".",
                      kCaption, Icon::Information);
}

bool CVazedazDlg::loadSession(const std::vector<std::uint8_t>& bytes) {
    // The whole file is checked before anything changes.
    const std::optional<SessionFile> session = readSession(bytes);
    if (!session) {
        host().messageBox(kSessionDamaged, "Warning", Icon::Exclamation);
        return false;
    }
    // A load that cannot pair its records ends with nothing half applied.
    auto dropAll = [this] {
        state_.albums.clear();
        if (state_.dirReader) {
            state_.dirReader->clearCatalogue();
            state_.dirReader->clearFolders();
        }
        releaseFilmImages();
        state_.editing.film.clear();
        state_.removedPictures.clear();
        state_.scannedCount = 0;
        state_.duplicatesFound = 0;
        state_.removedBytes = 0;
        enableNewAlbumCommands(false);
        control(kDeleteAlbum).enabled = false;
        refreshAlbumList();
    };

    state_.settings.dateFormatIndex = session->dateFormatIndex;
    state_.settings.timeFormatIndex = session->timeFormatIndex;
    state_.settings.excludeDuplicates = session->excludeDuplicates;
    state_.settings.moveFiles = session->moveFiles;

    state_.texts.sourceFolder = session->sourceFolder;
    state_.dateRules = session->dateRules;
    state_.oneTimeline = session->oneTimeline;
    state_.cameraClocks = session->cameraClocks;
    state_.pictureCorrections = {session->pictureCorrections.begin(), session->pictureCorrections.end()};
    showTexts();
    state_.abortRequest = false;
    // Commands pumped while the scan runs must not reach albums that are
    // about to be replaced.
    deleteAllAlbums();
    loadingSession_ = true;
    scanSource();
    loadingSession_ = false;
    if (state_.abortRequest || !state_.dirReader) {
        // Stopped: the window is closing. A partial catalogue takes no records.
        dropAll();
        return false;
    }

    state_.texts.targetFolder = session->targetFolder;
    if (session->targetFolder != kNotSelected) {
        state_.processTargetPath = session->targetFolder;
    }
    showTexts();

    state_.albums = session->albums;
    state_.duplicatesFound = session->duplicatesFound;
    state_.scannedCount = session->scannedCount;
    state_.removedBytes = removedBytesOf(session->removedBytes);

    auto& catalogue = state_.dirReader->catalogue();
    sortForSession(catalogue);
    double fingerprint = 0;
    for (const PictureRecord& picture : catalogue) {
        if (picture.isDuplicate == 0) {
            fingerprint += fingerprintShare(picture);
        }
    }
    std::vector<int> albumsMovedOut;
    if (fingerprint != session->sizeFingerprint &&
        catalogueMovedPictures(session->sourceFolder, session->targetFolder, albumsMovedOut)) {
        sortForSession(catalogue);
        fingerprint = 0;
        for (const PictureRecord& picture : catalogue) {
            fingerprint += fingerprintShare(picture);
        }
    }
    if (fingerprint != session->sizeFingerprint) {
        sayWhenMadeWithOtherPictureFiles(session->sizeFingerprint);
        dropAll();
        host().messageBox("Source directory was modified. Session could not be loaded!", "Warning",
                          Icon::Exclamation);
        return false;
    }
    // Pairing is by position, so the counts must agree.
    if (session->pictures.size() != catalogue.size()) {
        dropAll();
        host().messageBox(kSessionDamaged, "Warning", Icon::Exclamation);
        return false;
    }
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        applySessionPicture(session->pictures[i], catalogue[i]);
    }
    auto removed = std::stable_partition(catalogue.begin(), catalogue.end(),
                                         [](const PictureRecord& picture) { return picture.isExcluded == 0; });
    state_.removedPictures.assign(removed, catalogue.end());
    catalogue.erase(removed, catalogue.end());
    sortByKeyAfterSession(catalogue);
    for (Album& album : state_.albums) {
        if (std::find(albumsMovedOut.begin(), albumsMovedOut.end(), album.id) != albumsMovedOut.end()) {
            album.isProcessed = 1;
        }
    }

    if (state_.duplicatesFound != 0) {
        state_.texts.status = duplicateStatusText(static_cast<std::int64_t>(catalogue.size()),
                                                  state_.duplicatesFound, state_.scannedCount, state_.pictureFiles);
        showTexts();
    }
    refreshAlbumList();
    if (session->targetFolder != kNotSelected) {
        offerToFinishRun(session->targetFolder);
    }
    return true;
}

}  // namespace dz
