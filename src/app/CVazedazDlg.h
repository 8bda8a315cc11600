#pragma once

#include "app/AppState.h"
#include "app/ForwardingHost.h"
#include "journal/JournalGate.h"
#include "journal/RunJournal.h"
#include "platform/Window.h"

#include <optional>
#include <string>

namespace dz {

// The main window: three steps (directories, albums, process), its menu, and
// the commands behind them.
class CVazedazDlg final : public Window {
public:
    CVazedazDlg(Host& host, AppState& state);

    void onInit() override;
    void onCommand(int id) override;
    void onSelectionChanged(int id) override;
    void onDoubleClick(int id) override;
    // On the source field or its button: the source; on the target's: the target.
    void onFolderDropped(int id, const std::string& folder) override;
    // A source given on the command line is scanned once the window is up.
    void onShown() override;
    void setStartSource(std::string folder) { startSource_ = std::move(folder); }
    void onCancel() override;  // Esc, close box: "Close Dezoredu?"

    AppState& state() { return state_; }

    // A static beside the status line that counts the pictures found while a
    // scan runs; hidden otherwise.
    static constexpr int kScanProgress = 2011;

    // Commands, public for the tests. A `chosen` folder (dropped, or from the
    // command line) stands for the folder browser's answer.
    void selectSource(const std::optional<std::string>& chosen = std::nullopt);
    void scanSource();
    void resetCatalogue();
    void selectTarget(const std::optional<std::string>& chosen = std::nullopt);
    void refreshAlbumList();
    void showAlbumDetails();
    // After the duplicate search: counts and sizes from the catalogue's album ids.
    void recountAlbums();
    // Utilities > Search for duplicates, then the status line and the recount.
    void searchDuplicates();
    void startNewAlbum(bool negative);
    // Opens the Edit Album window for a new or the edited album and commits
    // or drops the edit afterwards.
    void runAlbumWindow();
    void albumPictureClicked();
    void editSelected();
    // Albums > Suggest Albums: proposed albums over the catalogue; Accept
    // adds them to the list as albums saved by hand are.
    void suggestAlbums();
    // By catalogue index, the pictures the target's journals say were sorted
    // there, when a target is chosen and the processing leaves those out.
    std::vector<bool> picturesInTarget();
    void deleteAlbum();
    void process();
    // Takes the last processing run into the target folder back, from its journal.
    void undoLastProcessing();
    // Offers to take a journal sealed with another key as the user's own,
    // the user naming its source folder; the run as admitted after, or none.
    std::optional<AdmittedRun> takeForeignRun(const std::string& journalPath, JournalTrust& trust);
    // When the target holds a run that was cut short, offers to finish it.
    void offerToFinishRun(const std::string& targetFolder);
    // Opens a run's journal for a resume or an undo; says so when it cannot.
    bool reopenJournal(RunJournal& journal, RunRecord& run, const JournalTrust& trust, const char* event);
    // Adds to the catalogue the pictures that journaled moves took from
    // `sourceFolder` into `targetFolder`, read at their new places, so that a
    // session saved before the move still pairs; the albums those runs
    // finished go to `albumsDone`. False when there were none.
    bool catalogueMovedPictures(const std::string& sourceFolder, const std::string& targetFolder,
                                std::vector<int>& albumsDone);
    void timeFormat();
    // Options > Process: the Process Option window (copy or move).
    void processOptions();
    // File > Save Session and File > Load Session with their dialogs and messages.
    void saveSessionCommand();
    void loadSessionCommand();
    // Loads a session file without dialogs, as the command-line program does;
    // true when the session was applied.
    bool loadSessionFile(const std::string& path);
    void skinOptions();
    void pictureFilesOption();
    // Options > Camera Clocks: the clocks of the catalogue's cameras. OK
    // puts the catalogue on the timeline they make and remembers the clock
    // of each body for the next catalogue.
    void cameraClocks();
    // After a scan: offers the clocks remembered for bodies of the
    // catalogue that have none set.
    void offerRememberedClocks();
    // The choice beside Select source: kept, and a source without albums
    // yet is looked at again with it.
    void choosePictureFiles(PictureFiles files);
    void about();
    void homepage();
    void closeRequest();
    void openHelpTopic(int id);

    // "Show the window's texts".
    void showTexts();

private:
    void createControls();
    void enableNewAlbumCommands(bool enabled);
    void showScanProgress();
    void saveOptions();
    void reloadOptions();
    std::string helpFilePath() const;
    // The Albums Processing window over the albums and the catalogue.
    void runProcessWindow();
    Album* selectedAlbum();
    // Selects the album with this id in the list and shows its details.
    void selectAlbumById(std::int32_t id);
    int runEditAlbumWindow();
    void commitAlbumEdit(bool keep);
    // Puts a picture's thumbnail back into the film image list on a side.
    void redrawThumbnail(const PictureRecord& picture, bool negative);
    void releaseFilmImages();
    std::size_t catalogueSize() const;
    void deleteAllAlbums();
    // The target folder browser with its same-folder refusal; false when cancelled.
    bool browseForTarget(const std::optional<std::string>& chosen = std::nullopt);
    bool loadSession(const std::vector<std::uint8_t>& bytes);
    // The session file does not say which picture files it was made with: a
    // scan with the other choice that finds the session's pictures tells.
    void sayWhenMadeWithOtherPictureFiles(double sizeFingerprint);

    AppState& state_;
    ForwardingHost scanHost_;
    std::string startSource_;
    // While a session is loaded its own clocks hold: no remembered ones are offered.
    bool loadingSession_ = false;
};

}  // namespace dz
