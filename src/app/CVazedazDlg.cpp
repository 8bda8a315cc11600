#include "app/CVazedazDlg.h"

#include "app/MainWindowIds.h"
#include "app/CPassedOverDlg.h"
#include "app/PictureFilesOption.h"
#include "app/MainWindowTexts.h"
#include "app/ProgramVersion.h"
#include "platform/ConfigFolder.h"
#include "platform/WorkingFolder.h"

namespace dz {

using namespace mainwin;

namespace {

constexpr int kMainHelpTopic = 6;

}  // namespace

CVazedazDlg::CVazedazDlg(Host& host, AppState& state)
    : Window(host, "CVazedazDlg", std::string("Dezoredu - Professional v") + kProgramVersion, kMainHelpTopic),
      state_(state),
      scanHost_(host, [this] { showScanProgress(); }) {
    createControls();
}

void CVazedazDlg::createControls() {
    addControl(kCloseWindow, ControlKind::Button, "Close Window");
    addControl(kSelectSourceButton, ControlKind::Button).toolTip = "Select source folder.";
    addControl(kSelectTargetButton, ControlKind::Button).toolTip = "Select target folder.";
    addControl(kSourceFolder, ControlKind::Static, "Select source");
    addControl(kPictureFilesJpegOnly, ControlKind::RadioButton, "JPEG only");
    addControl(kPictureFilesAll, ControlKind::RadioButton, "All photos and videos");
    addControl(kTargetFolder, ControlKind::Static, "Select destination");
    addControl(kStatus, ControlKind::Static, "Scan source for *.jpg files wich contain exif information");
    addControl(kScanProgress, ControlKind::Static).visible = false;
    addControl(kPassedOverButton, ControlKind::Button, "Passed over").visible = false;
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
    addControl(kMenuSuggestAlbums, ControlKind::MenuItem, "Suggest Albums...");
    addControl(kMenuUndoProcessing, ControlKind::MenuItem, "Undo last processing");
    addControl(kMenuTimeFormat, ControlKind::MenuItem, "Time Format");
    addControl(kMenuProcessOptions, ControlKind::MenuItem, "Process");
    addControl(kMenuPictureFiles, ControlKind::MenuItem, "Picture files");
    addControl(kMenuCameraClocks, ControlKind::MenuItem, "Camera Clocks...");
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
    state_.settingsFolder = settingsFolder(state_.appFolder, userConfigFolder());
    state_.dataFolder = userDataFolder();
    setHelpFile(helpFilePath());
    loadSettings(state_.settingsFolder, state_.settings);
    host().applySkin(state_.settings.skinEnabled != 0);
    state_.pictureFiles = loadPictureFiles(state_.settingsFolder, state_.unsavedPictureFiles);
    state_.verifyCopies = loadVerifyCopies(state_.settingsFolder);
    state_.dirReader = std::make_unique<CDirReader>(scanHost_, state_.fileSystem, state_.abortRequest);
    state_.dirReader->setPassedOverListener([this](const PassedOver& file) { state_.passedOver.push_back(file); });
    state_.abortRequest = false;
    control(kDeleteAlbum).enabled = false;
    if (!loadSettings(state_.settingsFolder, state_.settings)) {
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
    case kPassedOverButton: {
        CPassedOverDlg window(host(), state_.passedOver);
        host().runModal(window);
        return;
    }
    case kPictureFilesJpegOnly:
        choosePictureFiles(PictureFiles::JpegOnly);
        return;
    case kPictureFilesAll:
        choosePictureFiles(PictureFiles::AllFormats);
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
    case kMenuSuggestAlbums:
        suggestAlbums();
        return;
    case kDeleteAlbum:
        deleteAlbum();
        return;
    case kProcess:
        process();
        return;
    case kMenuUndoProcessing:
        undoLastProcessing();
        return;
    case kMenuTimeFormat:
        timeFormat();
        return;
    case kMenuSearchDuplicates:
        searchDuplicates();
        return;
    case kMenuProcessOptions:
        processOptions();
        return;
    case kMenuSaveSession:
        saveSessionCommand();
        return;
    case kMenuLoadSession:
        loadSessionCommand();
        return;
    case kMenuPictureFiles:
        pictureFilesOption();
        return;
    case kMenuCameraClocks:
        cameraClocks();
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

void CVazedazDlg::onSelectionChanged(int id) {
    if (id == kAlbumsList) {
        showAlbumDetails();
    }
}

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
    control(kPictureFilesJpegOnly).checked = state_.pictureFiles == PictureFiles::JpegOnly;
    control(kPictureFilesAll).checked = state_.pictureFiles == PictureFiles::AllFormats;
    refresh();
}

void CVazedazDlg::enableNewAlbumCommands(bool enabled) {
    control(kMenuStartPositive).enabled = enabled;
    control(kMenuStartNegative).enabled = enabled;
    control(kMenuSearchDuplicates).enabled = enabled;
    // The cameras are those of the catalogue.
    control(kMenuCameraClocks).enabled = enabled;
    control(kMenuSuggestAlbums).enabled = enabled;
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

}  // namespace dz
