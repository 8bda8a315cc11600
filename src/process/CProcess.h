#pragma once

#include "albums/Album.h"
#include "journal/RunJournal.h"
#include "catalogue/PictureRecord.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/Window.h"
#include "process/PictureName.h"

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace dz {

// Where the last run put one picture of an album, or a file travelling
// with it, or meant to.
struct PlacedPicture {
    // InPlace: the target is the picture's own file (a folder reached twice,
    // a picture catalogued where an earlier run put it): nothing to do.
    enum class How { Written, AlreadyThere, RenamedForClash, InPlace };

    std::string source;
    std::string target;
    int albumId = 0;
    bool moved = false;   // the source is gone
    How how = How::Written;
    bool inPlace = true;  // false: passed over, or a file of its own kept there
    std::string sha256;   // of its bytes, when the run kept a journal
};

// What the Albums Processing window works on.
struct ProcessJob {
    AlbumList& albums;
    std::vector<PictureRecord>& catalogue;
    std::string targetPath;
    bool moveFiles = false;
    NameFormats formats;
    // Keep a journal of the run under the target folder, for resume and undo.
    bool keepJournal = false;
    // The source folder the pictures were scanned from, and the user's data
    // folder that holds the key the journal is sealed with.
    std::string sourcePath;
    std::string dataFolder;
    // Read each copy back from the disk and compare it ("Verify copies").
    bool verifyCopies = false;
    // Leave out every picture the target's ledger holds already ("Leave out
    // pictures already in the target").
    bool leaveOutSorted = false;
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
    static constexpr int kPreview = 1165;

    CProcess(Host& host, FileSystem& fileSystem, ProcessJob job);

    void onInit() override;
    void onCommand(int id) override;
    void onCancel() override;

    void planSpace();
    void runProcessing();
    // Shows what Process would do, as a tree of the target folder.
    void showPreview();

    bool running() const { return running_; }
    // The pictures the last run visited, in the order it did.
    const std::vector<PlacedPicture>& placedPictures() const { return placed_; }
    // Albums that ended with the user giving them up in the last run.
    int failures() const { return failures_; }
    // Pictures the last run or preview left out, their bytes being in the target already.
    int alreadyInTarget() const { return static_cast<int>(alreadyInTarget_.size()); }
    bool lastRunCancelled() const { return lastRunCancelled_; }

private:
    // LeftBehind: every picture was visited, but some of a move stayed at
    // their source by the user's choice.
    enum class PassEnd { Done, Failed, LeftBehind, Cancelled };

    // Per album: the state the picture steps share.
    struct AlbumPass {
        bool moveThis = false;
        bool firstPicture = true;
        bool firstDay = true;
        std::string lastDay;
        // A picture of a move that stayed at its source: the album is not done.
        bool leftBehind = false;
        std::vector<std::string> folders;  // written to, flushed when the album ends
        const AlbumNumbers* numbers = nullptr;  // the album's own, for names that sort
    };

    // How one transfer ended: whether the album goes on, and whether the
    // picture is now at its place in the target.
    struct TransferEnd {
        bool goOn = true;
        bool placed = false;
    };

    void showStatus(const std::string& status, const std::string& hint);
    PassEnd processAlbum(Album& album);
    bool processPicture(const PictureRecord& picture, const Album& album, AlbumPass& pass);
    // One file of a shot to `target`; `left` tells that a move left it at
    // its source by the user's choice. False when the album is given up.
    bool transferFile(const std::string& source, const std::string& target, bool renamed, int albumId,
                      AlbumPass& pass, bool& left, bool& placed);
    // Whether a file of its own sits in the place of a file travelling with `picture`.
    bool companionInTheWay(const PictureRecord& picture, const std::string& folder,
                           const std::vector<std::string>& names);
    // Builds the album folder of a picture, creating its levels on the first
    // picture; empty when the album is given up.
    bool albumPathOf(const PictureRecord& picture, const Album& album, AlbumPass& pass, std::string& path);
    // Makes an album folder; one that exists is asked about, unless this
    // run made it (another album of the same albums directory).
    bool makeFolder(const std::string& path);
    void noteFolderMade(const std::string& path);
    bool madeThisRun(const std::string& path);
    // The first picture of the run into `folder`: leftovers of killed copies go.
    void enterFolder(const std::string& folder, AlbumPass& pass);
    bool flushFolders(AlbumPass& pass);
    bool isAlreadyThere(const std::string& from, const std::string& to);
    TransferEnd keepAlreadyThere(const std::string& from, const std::string& to);
    TransferEnd copyPicture(const std::string& from, const std::string& to, JournalStep* step);
    TransferEnd movePicture(const std::string& from, const std::string& to, AlbumPass& pass, JournalStep* step);
    // Yes to the overwrite question: the file at `to` goes aside under the
    // target's `.dezoredu/replaced/<run>/`, recorded for undo; asked again
    // on an error. False when the user gives the picture up.
    bool keepInTheWay(const std::string& to, JournalStep* step, std::string& keptAt);
    int putAside(const std::string& to, JournalStep* step, std::string& keptAt);
    // A file put aside goes back when its picture did not take the place after all.
    void putBack(const std::string& to, const std::string& keptAt);
    void endRun(int albumsVisited);
    // Copies held for their group's flush (see CProcessCopyGroups.cpp).
    void noteHeldCopy(JournalStep* step, const std::string& source, const std::string& target);
    bool copyGroupIsFull() const;
    // Flushes and names the held copies; false when the user gives the album up.
    bool placeCopyGroup();
    std::string runNotes() const;
    // With "Leave out pictures already in the target": the pictures of the
    // albums still to process whose bytes the target's ledger holds.
    void findAlreadyInTarget();

    // The journal: false when it cannot be written and the user would
    // rather not process without it.
    bool startJournal();
    // The step of a picture in the journal's plan, or null.
    JournalStep* journalStepOf(int albumId, const std::string& source);
    // False when the start line cannot be written and the user gives up
    // the album; Ignore goes on without the line.
    bool journalStarted(JournalStep* step, const std::string& from, const std::string& to,
                        const FileIdentity& source);
    void journalInPlace(JournalStep* step);
    void journalFinished(JournalStep* step, const TransferEnd& end, bool alreadyThere, bool moved);

    FileSystem& fileSystem_;
    ProcessJob job_;
    bool processCancel_ = false;
    bool running_ = false;
    bool closeAfterRun_ = false;
    int failures_ = 0;
    bool lastRunCancelled_ = false;
    // Targets written by this run: no other picture of it may take them.
    std::set<std::string> writtenThisRun_;
    std::set<std::string> foldersEntered_;
    // Folders this run made, by what they were when made: one swapped for a
    // file or a link since is asked about again.
    std::map<std::string, FolderIdentity> foldersMade_;
    std::vector<PlacedPicture> placed_;
    FreeNumbers freeNumbers_;
    struct HeldStep {
        JournalStep* step = nullptr;
        std::size_t placedIndex = 0;  // in placed_
        std::string source;
        std::string target;
    };
    std::vector<HeldStep> heldSteps_;
    std::chrono::steady_clock::time_point groupStarted_;
    int renamedForClash_ = 0;
    std::string replacedRun_;
    // Yes to the overwrite question for a picture holds for the files travelling with it.
    bool shotReplaces_ = false;  // names the folder files put aside by this run go to
    int leftAtSource_ = 0;
    std::set<std::string> alreadyInTarget_;  // catalogue paths left out
    std::string journalPath(const std::string& path) const;

    JournalTrust trust_;
    RunJournal journal_;
    std::string journalSource_;  // the folder the journal's sources are relative to
    std::vector<JournalStep> journalSteps_;
    std::pair<std::string, std::uint64_t> targetFolder_;  // the last album folder and its device
    std::map<std::pair<int, std::string>, std::size_t> stepIndex_;
};

}  // namespace dz
