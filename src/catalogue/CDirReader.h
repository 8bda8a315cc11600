#pragma once

#include "formats/PictureKind.h"
#include "catalogue/FolderShots.h"
#include "catalogue/DateRules.h"
#include "catalogue/PictureRecord.h"
#include "exif/CExifReader.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace dz {

// Why the scan passed over a listed file (for `dezoredu-cli info --all`).
struct PassedOver {
    std::string path;
    std::string reason;
};

// Walks the source folder and keeps the picture catalogue.
class CDirReader {
public:
    // `abortRequest` is the program's one stop flag for long loops; the
    // reader only reads it.
    CDirReader(Host& host, FileSystem& fileSystem, const bool& abortRequest);

    bool listFolders(const std::string& path, bool recurse);
    bool collectPictures(const std::string& mask, bool includeFiles, bool includeFolders);
    bool readFolder(const std::string& folder, const std::string& mask, bool includeFiles,
                    bool includeFolders);
    // kind 1: by path (letters folded), 2: by date, 3: by size.
    bool sortCatalogue(int kind, bool reverse);
    void clearFolders();
    void clearCatalogue();

    const std::string& sourceFolder() const { return sourceFolder_; }
    const std::vector<std::string>& folders() const { return folders_; }
    std::vector<PictureRecord>& catalogue() { return catalogue_; }
    const std::vector<PictureRecord>& catalogue() const { return catalogue_; }

    // Bias used for the time stamps of this scan (UTC minus local, minutes).
    void setBiasMinutes(int bias) { biasMinutes_ = bias; }
    // Every shot key of this catalogue is made with it, so that keys stay
    // comparable with the stamps and album ends after the clock changes.
    int biasMinutes() const { return biasMinutes_; }
    // Which files the scan takes; "JPEG only" lists with the caller's mask
    // as ever, all formats list every file and take those of a known kind.
    void setPictureFiles(PictureFiles files) { files_ = files; }
    void setDateRules(DateRules rules) { dateRules_ = rules; }
    PictureFiles pictureFiles() const { return files_; }

    // Told about every listed file that is not catalogued.
    void setPassedOverListener(std::function<void(const PassedOver&)> listener);
    // Told about every picture right after it joined the catalogue, with the
    // decoder's message for that file (empty when it decoded cleanly).
    void setCataloguedListener(
        std::function<void(const PictureRecord&, const std::string& decoderMessage)> listener);

    // Reads one file exactly as one entry of a folder listing. False when the
    // file is not there, or the user chose Cancel on its read error.
    bool readFile(const std::string& path);

private:
    enum class EntryResult { Next, Cancelled };

    // Depth first, children before their parent; each folder once.
    void walk(const std::string& folder, std::set<FolderIdentity>& visited);
    // False when the walk has been in `folder` already, under any path.
    bool firstVisit(const std::string& folder, std::set<FolderIdentity>& visited);
    // The time a file stands in for a missing date, by the rules in force.
    std::int64_t fileTimeOf(const DirEntry& entry) const;
    // "Error while reading from drive": OK goes on, Cancel stops the walk.
    EntryResult askOnReadError();
    EntryResult readEntry(const std::string& folder, const DirEntry& entry, bool includeFiles,
                          bool includeFolders);
    // All formats: the files of one shot, its lead catalogued with the rest
    // travelling along.
    EntryResult readShot(const std::string& folder, const std::vector<DirEntry>& entries, const FolderShot& shot,
                         bool includeFiles);
    void addRecord(const std::string& path, const DirEntry& entry, PictureKind kind);
    // "All photos and videos" under the current rules: every file that reads
    // as its kind is taken, its date from the first of its own dates, its
    // name and its file time.
    bool takesEveryFile() const;
    DateSource chooseDate(const DirEntry& entry, PictureKind kind, bool& timeKnown);
    std::string damagedReason() const;
    void passOver(const std::string& path, const std::string& reason);
    std::string rejectReason(bool decoded) const;
    void releaseBlock();

    Host& host_;
    FileSystem& fileSystem_;
    const bool& abortRequest_;
    ExifInfo block_;  // the decoder's target, zero-filled before each file
    CExifReader reader_;
    std::string diagnostic_;  // the decoder's developer note for the current file
    std::string message_;     // the decoder's last message for the current file
    std::string sourceFolder_;
    std::vector<std::string> folders_;
    std::vector<PictureRecord> catalogue_;
    std::vector<CompanionFile> companions_;  // given to the next record made
    int biasMinutes_ = 0;
    PictureFiles files_ = PictureFiles::JpegOnly;
    DateRules dateRules_ = kCurrentDateRules;
    std::function<void(const PassedOver&)> passedOver_;
    std::function<void(const PictureRecord&, const std::string&)> catalogued_;
};

}  // namespace dz
