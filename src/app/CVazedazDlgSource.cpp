#include "app/CVazedazDlg.h"

#include "app/CatalogueOnTimeline.h"

#include "app/DuplicateStatus.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"
#include "exif/TextFormat.h"
#include "platform/TimeZone.h"

#include <cstdio>
#include <string>
#include <utility>

namespace dz {

using namespace mainwin;

void CVazedazDlg::selectSource(const std::optional<std::string>& chosen) {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    if (!state_.albums.empty()) {
        if (host().messageBox("Albums will be lost!", "Warning", Icon::Exclamation, Buttons::OkCancel) !=
            Answer::Ok) {
            return;
        }
        // Gone even if the browser is cancelled next.
        deleteAllAlbums();
    }
    state_.abortRequest = false;
    const auto folder = chosen ? chosen : host().browseFolder(kBrowseTitle);
    if (!folder) {
        return;
    }
    if (state_.scanInProgress) {
        // A scan started while the browser was open: stop it rather than
        // start a second one beneath it.
        state_.abortRequest = true;
        state_.scanInProgress = false;
        return;
    }
    state_.texts.sourceFolder = *folder;
    state_.dateRules = kCurrentDateRules;
    state_.oneTimeline = true;
    releaseFilmImages();
    resetCatalogue();
    scanSource();
    showTexts();
}

void CVazedazDlg::onFolderDropped(int id, const std::string& folder) {
    if (id == kSourceFolder || id == kSelectSourceButton) {
        selectSource(folder);
    } else if (id == kTargetFolder || id == kSelectTargetButton) {
        selectTarget(folder);
    }
}

void CVazedazDlg::onShown() {
    if (!startSource_.empty()) {
        selectSource(std::exchange(startSource_, std::string()));
    }
}

void CVazedazDlg::resetCatalogue() {
    if (state_.dirReader) {
        state_.dirReader->clearFolders();
        state_.dirReader->clearCatalogue();
    }
    releaseFilmImages();
    state_.editing.film.clear();
    state_.removedPictures.clear();
    state_.passedOver.clear();
    control(kPassedOverButton).visible = false;
    state_.texts.status = "Wait for input...";
    state_.texts.targetFolder = kNotSelected;
}

void CVazedazDlg::scanSource() {
    resetCatalogue();
    state_.scanInProgress = true;
    state_.texts.status = "Scaning source directory. Please Wait...";
    showTexts();

    CDirReader& reader = *state_.dirReader;
    reader.setBiasMinutes(currentTimeZone().totalBiasMinutes());
    reader.setPictureFiles(state_.pictureFiles);
    reader.setDateRules(state_.dateRules);
    reader.listFolders(state_.texts.sourceFolder, true);
    reader.collectPictures("*.jpg", true, false);
    applyTimeline(state_);

    state_.editAlbumFlag = false;
    const auto& catalogue = reader.catalogue();
    const int n = static_cast<int>(catalogue.size());
    char text[128];
    if (n > 0) {
        std::snprintf(text, sizeof text, "Found %d %s that have exif information.", n,
                      pictureFilesWord(state_.pictureFiles, ".JPG pictures"));
        state_.texts.status = text;
    } else {
        state_.texts.status = "No pictures found. Pictures must have exif information.";
    }
    // "All photos and videos" takes every file that reads, so those left
    // out are counted and listed one click away.
    const bool everyFile = state_.pictureFiles == PictureFiles::AllFormats && state_.dateRules == DateRules::TrueTimes;
    if (everyFile && !state_.passedOver.empty()) {
        state_.texts.status += formatText(state_.passedOver.size() == 1 ? " %zu file passed over." : " %zu files passed over.",
                                          state_.passedOver.size());
        control(kPassedOverButton).visible = true;
    }
    state_.scannedCount = n;
    state_.duplicatesFound = 0;
    state_.removedBytes = 0;

    int withExif = 0;
    int dateFromFile = 0;
    for (const auto& picture : catalogue) {
        if (picture.exif().hasExif) {
            ++withExif;
            if (picture.block->dateFromFile) {
                ++dateFromFile;
            }
        }
    }
    enableNewAlbumCommands(withExif > 0 || (everyFile && n > 0));
    control(kScanProgress).visible = false;
    showTexts();
    if (dateFromFile > 0) {
        char warning[512];
        std::snprintf(warning, sizeof warning,
                      "Warning! Dezoredu found %d pictures that have date and time set to zero! Date and time was "
                      "modified for those pictures in order to run Dezoredu. New date and time was taken from file "
                      "information. Be aware that date and time may not be the same as real time when those "
                      "pictures was shot.",
                      dateFromFile);
        host().messageBox(warning, kCaption, Icon::Information);
    }
    state_.scanInProgress = false;
    if (!loadingSession_ && !state_.abortRequest) {
        offerRememberedClocks();
    }
}

void CVazedazDlg::selectTarget(const std::optional<std::string>& chosen) {
    if (state_.texts.sourceFolder == kNotSelected) {
        host().messageBox("Please select source directory first!", "Select target directory", Icon::Error);
        return;
    }
    browseForTarget(chosen);
}

bool CVazedazDlg::browseForTarget(const std::optional<std::string>& chosen) {
    const auto folder = chosen ? chosen : host().browseFolder(kBrowseTitle);
    if (!folder) {
        return false;
    }
    if (*folder == state_.texts.sourceFolder) {
        host().messageBox("Target directory is the same as source directory!", "Please select other target directory",
                          Icon::Error);
        return true;
    }
    state_.texts.targetFolder = *folder;
    state_.processTargetPath = *folder;
    // The details shown name the target folder.
    if (!control(kAlbumDetails).items.empty()) {
        showAlbumDetails();
    }
    showTexts();
    return true;
}

}  // namespace dz
