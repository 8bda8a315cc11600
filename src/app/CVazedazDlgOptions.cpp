#include "app/CVazedazDlg.h"

#include "albums/CTimeFormat.h"
#include "albums/DateTimeText.h"
#include "app/CAboutDlg.h"
#include "app/CSkinOption.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowTexts.h"
#include "app/PictureFilesOption.h"
#include "platform/Help.h"
#include "platform/WorkingFolder.h"

namespace dz {

using namespace mainwin;

void CVazedazDlg::saveOptions() {
    saveSettings(state_.settingsFolder, state_.settings, host());
}

void CVazedazDlg::reloadOptions() {
    loadSettings(state_.settingsFolder, state_.settings);
}

void CVazedazDlg::timeFormat() {
    CTimeFormat window(host(), state_.settings.dateFormatIndex, state_.settings.timeFormatIndex,
                       [this] { reloadOptions(); }, [this] { saveOptions(); }, currentTimeValue());
    window.setHelpFile(helpFile());
    if (host().runModal(window) == kResultOk) {
        refreshAlbumList();
    }
}

void CVazedazDlg::skinOptions() {
    CSkinOption window(host(), state_.settings, [this] { saveOptions(); });
    window.setHelpFile(helpFile());
    host().runModal(window);
    host().applySkin(state_.settings.skinEnabled != 0);
}

void CVazedazDlg::pictureFilesOption() {
    CPictureFilesOption window(host(), state_.pictureFiles,
                               [this] { savePictureFiles(state_.settingsFolder, state_.pictureFiles, host()); });
    window.setHelpFile(helpFile());
    host().runModal(window);
    showTexts();
}

void CVazedazDlg::choosePictureFiles(PictureFiles files) {
    if (state_.scanInProgress || files == state_.pictureFiles) {
        showTexts();
        return;
    }
    state_.pictureFiles = files;
    savePictureFiles(state_.settingsFolder, files, host());
    if (state_.texts.sourceFolder != kNotSelected && state_.albums.empty()) {
        state_.dateRules = kCurrentDateRules;
        state_.oneTimeline = true;
        releaseFilmImages();
        resetCatalogue();
        scanSource();
    }
    showTexts();
}

void CVazedazDlg::about() {
    CAboutDlg window(host());
    window.setHelpFile(helpFile());
    host().runModal(window);
}

void CVazedazDlg::homepage() {
    const Answer a = host().messageBox("You must be connected to Internet before continue!", "Dezoredu - Visit Homepage",
                                       Icon::Information, Buttons::OkCancel);
    if (a == Answer::Ok) {
        host().openWebAddress(kHomePageAddress);
    }
}

std::string CVazedazDlg::helpFilePath() const {
    return state_.appFolder + "/" + kHelpFileName;
}

void CVazedazDlg::openHelpTopic(int id) {
    switch (id) {
    case kMenuHelpContents:
        // The folder of the moment: a file dialog may have moved it.
        host().openHelp(currentDirectory() + "/DEZOREDU.hlp", 0);
        return;
    case kMenuHelpIntroduction:
        host().openHelp(helpFilePath(), 1);
        return;
    case kMenuWhatsNew:
        host().openHelp(helpFilePath(), 3);
        return;
    default:
        return;
    }
}

}  // namespace dz
