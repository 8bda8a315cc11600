#include "app/CVazedazDlg.h"

#include "albums/CTimeFormat.h"
#include "albums/DateTimeText.h"
#include "app/CAboutDlg.h"
#include "app/CSkinOption.h"
#include "app/MainWindowIds.h"
#include "platform/Help.h"
#include "platform/TimeZone.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace dz {

using namespace mainwin;

namespace {

constexpr int kMainHelpTopic = 6;
constexpr const char* kCaption = "Dezoredu";
constexpr const char* kWaitForScan = "Please wait until the entire folder is scanned.";
constexpr const char* kBrowseTitle = "Select folder that hold pictures to process.";

std::string currentDirectory() {
    std::string buffer(4096, '\0');
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        return ".";
    }
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

}  // namespace

CVazedazDlg::CVazedazDlg(Host& host, AppState& state)
    : Window(host, "CVazedazDlg", "Dezoredu - Professional v1.1", kMainHelpTopic),
      state_(state),
      scanHost_(host, [this] { showScanProgress(); }) {
    createControls();
}

void CVazedazDlg::createControls() {
    addControl(kCloseWindow, ControlKind::Button, "Close Window");
    addControl(kSelectSourceButton, ControlKind::Button).toolTip = "Select source folder.";
    addControl(kSelectTargetButton, ControlKind::Button).toolTip = "Select target folder.";
    addControl(kSourceFolder, ControlKind::Static, "Select source");
    addControl(kTargetFolder, ControlKind::Static, "Select destination");
    addControl(kStatus, ControlKind::Static, "Scan source for *.jpg files wich contain exif information");
    addControl(kScanProgress, ControlKind::Static).visible = false;
    addControl(kAlbumsList, ControlKind::ListBox);
    addControl(kAlbumDetails, ControlKind::ListBox);
    addControl(kDeleteAlbum, ControlKind::Button, "Delete Album");
    addControl(kProcess, ControlKind::Button, "Process");
    addControl(kAlbumSummary, ControlKind::Static, "No albums created yet.");
    addControl(kAlbumPicture, ControlKind::Picture);

    addControl(kGroupTitle, ControlKind::Group, "Organize Photos: Easy Steps 1, 2, 3");
    addControl(kGroupStep1, ControlKind::Group, "Step 1: Set Directories");
    addControl(kGroupStep2, ControlKind::Group, "Step 2: Create Albums");
    addControl(kGroupStep3, ControlKind::Group, "Step 3: Process");
    addControl(kGroupAlbums, ControlKind::Group, "Albums");
    addControl(kLabelSource, ControlKind::Static, "Source:");
    addControl(kLabelTarget, ControlKind::Static, "Target:");
    addControl(kLabelStatus, ControlKind::Static, "Status:");
    addControl(kLabelAlbumsList, ControlKind::Static, "Albums List");
    addControl(kLabelAlbumDetails, ControlKind::Static, "Album Details");

    addControl(kMenuSaveSession, ControlKind::MenuItem, "Save Session");
    addControl(kMenuLoadSession, ControlKind::MenuItem, "Load Session");
    addControl(kMenuExit, ControlKind::MenuItem, "Exit");
    addControl(kMenuSelectSource, ControlKind::MenuItem, "Select source");
    addControl(kMenuSelectTarget, ControlKind::MenuItem, "Select target");
    addControl(kMenuSearchDuplicates, ControlKind::MenuItem, "Search for duplicates");
    addControl(kMenuStartPositive, ControlKind::MenuItem, "Start from positive");
    addControl(kMenuStartNegative, ControlKind::MenuItem, "Start from negative");
    addControl(kMenuEditSelected, ControlKind::MenuItem, "Edit selected");
    addControl(kMenuTimeFormat, ControlKind::MenuItem, "Time Format");
    addControl(kMenuProcessOptions, ControlKind::MenuItem, "Process");
    addControl(kMenuSkin, ControlKind::MenuItem, "Skin");
    addControl(kMenuHelpContents, ControlKind::MenuItem, "Help Contents");
    addControl(kMenuHelpIntroduction, ControlKind::MenuItem, "Help Introduction");
    addControl(kMenuWhatsNew, ControlKind::MenuItem, "What's New");
    addControl(kMenuHomepage, ControlKind::MenuItem, "Dezoredu Homepage");
    addControl(kMenuAbout, ControlKind::MenuItem, "About");
    addControl(kSystemAbout, ControlKind::MenuItem, "&About Vazedaz...");
}

void CVazedazDlg::onInit() {
    state_.appFolder = currentDirectory();
    setHelpFile(helpFilePath());
    loadSettings(state_.appFolder, state_.settings);
    host().applySkin(state_.settings.skinEnabled != 0);
    state_.dirReader = std::make_unique<CDirReader>(scanHost_, state_.fileSystem, state_.abortRequest);
    state_.abortRequest = false;
    control(kDeleteAlbum).enabled = false;
    if (!loadSettings(state_.appFolder, state_.settings)) {
        state_.settings.dateFormatIndex = 1;
        state_.settings.timeFormatIndex = 1;
        state_.settings.excludeDuplicates = 0;
        state_.settings.moveFiles = 0;
    }
    state_.viewSettings = ViewSettings{};
    state_.texts.albumSummary = "No albums created";
    state_.editing.film.clear();
    state_.removedPictures.clear();
    enableNewAlbumCommands(false);
    control(kMenuSaveSession).enabled = false;
    resetCatalogue();
    state_.texts.sourceFolder = kNotSelected;
    showTexts();
}

void CVazedazDlg::onCommand(int id) {
    switch (id) {
    case kCloseWindow:
    case kMenuExit:
        closeRequest();
        return;
    case kSelectSourceButton:
    case kMenuSelectSource:
        selectSource();
        return;
    case kSelectTargetButton:
    case kMenuSelectTarget:
        selectTarget();
        return;
    case kAlbumPicture:
        albumPictureClicked();
        return;
    case kMenuStartPositive:
        startNewAlbum(false);
        return;
    case kMenuStartNegative:
        startNewAlbum(true);
        return;
    case kMenuEditSelected:
        editSelected();
        return;
    case kDeleteAlbum:
        deleteAlbum();
        return;
    case kProcess:
        process();
        return;
    case kMenuTimeFormat:
        timeFormat();
        return;
    case kMenuSkin:
        skinOptions();
        return;
    case kMenuAbout:
    case kSystemAbout:
        about();
        return;
    case kMenuHomepage:
        homepage();
        return;
    case kMenuHelpContents:
    case kMenuHelpIntroduction:
    case kMenuWhatsNew:
        openHelpTopic(id);
        return;
    default:
        return;
    }
}

void CVazedazDlg::onSelectionChanged(int /*id*/) {}

void CVazedazDlg::onDoubleClick(int id) {
    if (id == kAlbumsList) {
        editSelected();
    }
}

void CVazedazDlg::onCancel() {
    const Answer a = host().messageBox("Close Dezoredu?", kCaption, Icon::Question, Buttons::YesNo);
    if (a != Answer::Yes) {
        return;
    }
    // A scan that is pumping messages below us stops at its next file.
    state_.abortRequest = true;
    endDialog(kResultCancel);
}

void CVazedazDlg::closeRequest() {
    host().closeHelp();
    onCancel();
}

void CVazedazDlg::showTexts() {
    control(kSourceFolder).text = state_.texts.sourceFolder;
    control(kTargetFolder).text = state_.texts.targetFolder;
    control(kStatus).text = state_.texts.status;
    control(kAlbumSummary).text = state_.texts.albumSummary;
    refresh();
}

void CVazedazDlg::enableNewAlbumCommands(bool enabled) {
    control(kMenuStartPositive).enabled = enabled;
    control(kMenuStartNegative).enabled = enabled;
    control(kMenuSearchDuplicates).enabled = enabled;
}

void CVazedazDlg::showScanProgress() {
    if (!state_.scanInProgress || !state_.dirReader) {
        return;
    }
    Control& progress = control(kScanProgress);
    const std::size_t found = state_.dirReader->catalogue().size();
    progress.text = "Pictures found so far: " + std::to_string(found);
    progress.visible = true;
    refresh();
}

// --- Source, scan and catalogue ---------------------------------------------

void CVazedazDlg::selectSource() {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    state_.abortRequest = false;
    auto folder = host().browseFolder(kBrowseTitle);
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
    resetCatalogue();
    scanSource();
    showTexts();
}

void CVazedazDlg::resetCatalogue() {
    if (state_.dirReader) {
        state_.dirReader->clearFolders();
        state_.dirReader->clearCatalogue();
    }
    state_.editing.film.clear();
    state_.removedPictures.clear();
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
    reader.listFolders(state_.texts.sourceFolder, true);
    reader.collectPictures("*.jpg", true, false);

    state_.editAlbumFlag = false;
    const auto& catalogue = reader.catalogue();
    const int n = static_cast<int>(catalogue.size());
    char text[128];
    if (n > 0) {
        std::snprintf(text, sizeof text, "Found %d .JPG pictures that have exif information.", n);
        state_.texts.status = text;
    } else {
        state_.texts.status = "No pictures found. Pictures must have exif information.";
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
    enableNewAlbumCommands(withExif > 0);
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
}

// --- Target, albums and processing ------------------------------------------

void CVazedazDlg::selectTarget() {
    if (state_.texts.sourceFolder == kNotSelected) {
        host().messageBox("Please select source directory first!", "Select target directory", Icon::Error);
        return;
    }
    auto folder = host().browseFolder(kBrowseTitle);
    if (!folder) {
        return;
    }
    if (*folder == state_.texts.sourceFolder) {
        host().messageBox("Target directory is the same as source directory!", "Please select other target directory",
                          Icon::Error);
        return;
    }
    state_.texts.targetFolder = *folder;
    state_.processTargetPath = *folder;
    showTexts();
}

void CVazedazDlg::refreshAlbumList() {
    Control& albums = control(kAlbumsList);
    albums.items.clear();
    albums.selection = -1;
    control(kAlbumDetails).items.clear();
    state_.texts.albumSummary = "Albums created: None";
    control(kMenuSaveSession).enabled = false;
    showTexts();
}

void CVazedazDlg::albumPictureClicked() {
    if (state_.texts.sourceFolder == kNotSelected) {
        host().messageBox("Please select a source folder first.", kCaption, Icon::Exclamation);
        return;
    }
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    startNewAlbum(false);
}

void CVazedazDlg::startNewAlbum(bool negative) {
    if (state_.scanInProgress) {
        host().messageBox(kWaitForScan, kCaption, Icon::Exclamation);
        return;
    }
    const std::int32_t mode = negative ? 1 : 0;
    if (mode != state_.editing.newAlbumStartsNegative) {
        state_.editing.filmSideChanged = true;
    }
    state_.editing.newAlbumStartsNegative = mode;
    auto& catalogue = state_.dirReader->catalogue();
    if (catalogue.empty()) {
        host().messageBox("Source folder does not contain any pictures supported by Dezoredu", kCaption,
                          Icon::Exclamation);
        return;
    }
    state_.dirReader->sortCatalogue(2, false);
    for (auto& picture : catalogue) {
        picture.isNegative = state_.editing.newAlbumStartsNegative;
    }
}

void CVazedazDlg::editSelected() {
    if (control(kAlbumsList).selection < 0 || albumCount() == 0) {
        host().messageBox("Please select an album from Albums List first.", kCaption, Icon::Exclamation);
    }
}

void CVazedazDlg::deleteAlbum() {
    if (control(kAlbumsList).selection < 0 || albumCount() == 0) {
        control(kDeleteAlbum).enabled = false;
        refresh();
    }
}

void CVazedazDlg::process() {
    if (albumCount() == 0) {
        host().messageBox("There is no albums defined! Please create at least one album.", kCaption,
                          Icon::Exclamation);
    }
}

// --- Options, help and about ------------------------------------------------

void CVazedazDlg::saveOptions() {
    saveSettings(state_.appFolder, state_.settings, host());
}

void CVazedazDlg::reloadOptions() {
    loadSettings(state_.appFolder, state_.settings);
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
