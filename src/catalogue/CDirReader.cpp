#include "catalogue/CDirReader.h"

#include "catalogue/FileNameDate.h"
#include "catalogue/PictureTimeStamp.h"
#include "formats/PictureFacts.h"
#include "platform/TimeZone.h"

#include <algorithm>
#include <new>
#include <set>
#include <utility>

namespace dz {

namespace {

// Folders of this name hold a browser's cache, never photographs.
constexpr const char* kSkippedFolder = "Temporary Internet Files";
constexpr const char* kZeroDate = "0000:00:00 00:00:00";

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool pathLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return foldAscii(static_cast<unsigned char>(x)) < foldAscii(static_cast<unsigned char>(y));
        });
}

}  // namespace

CDirReader::CDirReader(Host& host, FileSystem& fileSystem, const bool& abortRequest)
    : host_(host), fileSystem_(fileSystem), abortRequest_(abortRequest), reader_(block_) {
    reader_.setDiagnosticSink([this](const std::string& text) { diagnostic_ = text; });
    // The decoder keeps its last message from file to file; what is said of
    // a file is what the decoder said while reading that file.
    reader_.setMessageSink([this](const std::string& text) { message_ = text; });
}

void CDirReader::setPassedOverListener(std::function<void(const PassedOver&)> listener) {
    passedOver_ = std::move(listener);
}

void CDirReader::setCataloguedListener(
    std::function<void(const PictureRecord&, const std::string&)> listener) {
    catalogued_ = std::move(listener);
}

bool CDirReader::listFolders(const std::string& path, bool recurse) {
    sourceFolder_ = path;
    // The root folder keeps its one separator, or nothing would be left to list.
    if (sourceFolder_.size() > 1 && sourceFolder_.back() == '/') {
        sourceFolder_.pop_back();
    }
    if (recurse) {
        std::set<FolderIdentity> visited;
        firstVisit(sourceFolder_, visited);
        walk(sourceFolder_, visited);
    }
    folders_.push_back(sourceFolder_);
    return true;
}

bool CDirReader::firstVisit(const std::string& folder, std::set<FolderIdentity>& visited) {
    FolderIdentity identity;
    // A folder that cannot be told apart cannot be listed either, so walking
    // it cannot go round in circles.
    if (!fileSystem_.identify(folder, identity)) {
        return true;
    }
    return visited.insert(identity).second;
}

void CDirReader::walk(const std::string& folder, std::set<FolderIdentity>& visited) {
    std::vector<DirEntry> entries;
    if (!fileSystem_.listDirectory(folder, "*.*", entries)) {
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && abortRequest_) {
            return;
        }
        const DirEntry& entry = entries[i];
        if (!entry.isDirectory() || entry.name == kSkippedFolder) {
            continue;
        }
        // Linked folders are walked like any other; one met before, through
        // a link back up the tree or a second link to it, is not walked again.
        const std::string child = joinPath(folder, entry.name);
        if (!firstVisit(child, visited)) {
            continue;
        }
        walk(child, visited);
        folders_.push_back(child);
    }
}

bool CDirReader::collectPictures(const std::string& mask, bool includeFiles, bool includeFolders) {
    for (const std::string& folder : folders_) {
        if (folder.empty()) {
            continue;
        }
        if (abortRequest_) {
            return false;
        }
        if (!readFolder(folder, mask, includeFiles, includeFolders)) {
            return false;
        }
    }
    return true;
}

bool CDirReader::readFolder(const std::string& folder, const std::string& mask, bool includeFiles,
                            bool includeFolders) {
    std::vector<DirEntry> entries;
    const std::string listed = files_ == PictureFiles::JpegOnly ? mask : std::string("*");
    if (!fileSystem_.listDirectory(folder, listed, entries)) {
        // A folder the user may not read is asked about like a file, so that
        // its pictures are not left out without a word.
        passOver(folder, "cannot be listed");
        return askOnReadError() == EntryResult::Next;
    }
    if (files_ == PictureFiles::AllFormats) {
        const std::vector<FolderShot> shots = folderShots(entries, files_);
        for (std::size_t i = 0; i < shots.size(); ++i) {
            if (i > 0) {
                if (abortRequest_) {
                    return true;
                }
                host_.pumpMessages();
            }
            if (readShot(folder, entries, shots[i], includeFiles) == EntryResult::Cancelled) {
                return false;
            }
        }
        return true;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            if (abortRequest_) {
                return true;
            }
            host_.pumpMessages();
        }
        if (readEntry(folder, entries[i], includeFiles, includeFolders) == EntryResult::Cancelled) {
            return false;
        }
    }
    return true;
}

CDirReader::EntryResult CDirReader::readShot(const std::string& folder, const std::vector<DirEntry>& entries,
                                             const FolderShot& shot, bool includeFiles) {
    auto companion = [&](std::size_t at) {
        return CompanionFile{joinPath(folder, entries[at].name), entries[at].size};
    };
    auto withSidecars = [&](const ShotFile& file, std::vector<CompanionFile>& into) {
        for (const std::size_t at : file.sidecars) {
            into.push_back(companion(at));
        }
    };
    bool rawsTaken = false;
    bool sidecarsTaken = false;
    // The first lead that is catalogued takes the raws; the first picture
    // that is, the sidecars of the base name. A raw whose JPEG has no date
    // is still a picture of its own.
    auto read = [&](const ShotFile& file, bool takesRaws) {
        companions_.clear();
        if (takesRaws) {
            for (const ShotFile& raw : shot.raws) {
                companions_.push_back(companion(raw.entry));
                companions_.back().isRaw = true;
                withSidecars(raw, companions_);
            }
        }
        withSidecars(file, companions_);
        if (!sidecarsTaken) {
            for (const std::size_t at : shot.sidecars) {
                companions_.push_back(companion(at));
            }
        }
        const std::size_t before = catalogue_.size();
        const EntryResult result = readEntry(folder, entries[file.entry], includeFiles, false);
        companions_.clear();
        if (catalogue_.size() > before) {
            rawsTaken = rawsTaken || takesRaws;
            sidecarsTaken = true;
        }
        return result;
    };
    for (const ShotFile& lead : shot.leads) {
        if (read(lead, !rawsTaken) == EntryResult::Cancelled) {
            return EntryResult::Cancelled;
        }
    }
    if (!rawsTaken) {
        for (const ShotFile& raw : shot.raws) {
            if (read(raw, false) == EntryResult::Cancelled) {
                return EntryResult::Cancelled;
            }
        }
    }
    for (const ShotFile& other : shot.others) {
        if (read(other, false) == EntryResult::Cancelled) {
            return EntryResult::Cancelled;
        }
    }
    return EntryResult::Next;
}

bool CDirReader::readFile(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // The name itself is the narrowest mask, unless it holds wildcard characters.
    const bool wild = name.find_first_of("*?") != std::string::npos;
    std::vector<DirEntry> entries;
    if (name.empty() || !fileSystem_.listDirectory(folder, wild ? "*" : name, entries)) {
        return false;
    }
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const DirEntry& e) { return e.name == name; });
    if (found == entries.end()) {
        return false;
    }
    const std::string listedFolder = slash == std::string::npos ? std::string(".") : folder;
    if (files_ == PictureFiles::AllFormats && !found->isDirectory() &&
        pictureKindOf(found->name, files_) == PictureKind::None) {
        passOver(joinPath(listedFolder, found->name), "not a picture or video of a kind the program reads");
        return true;
    }
    return readEntry(listedFolder, *found, true, false) == EntryResult::Next;
}

CDirReader::EntryResult CDirReader::readEntry(const std::string& folder, const DirEntry& entry,
                                              bool includeFiles, bool includeFolders) {
    const bool isFolder = entry.isDirectory();
    bool wanted = isFolder ? includeFolders : includeFiles;
    if ((isFolder && entry.name == ".") || entry.name == "..") {
        wanted = false;
    }
    // "JPEG only" reads whatever its mask listed as a JPEG, as it always has.
    const PictureKind kind =
        files_ == PictureFiles::JpegOnly ? PictureKind::Jpeg : pictureKindOf(entry.name, files_);
    if (kind == PictureKind::None) {
        return EntryResult::Next;
    }
    const std::string path = joinPath(folder, entry.name);

    std::unique_ptr<ByteSource> file = fileSystem_.openRead(path);
    if (!file) {
        passOver(path, "cannot be opened");
        return askOnReadError();
    }

    releaseBlock();
    const FactsOutcome outcome = readPictureFacts(kind, path, *file, entry.size, reader_);
    file.reset();
    if (outcome == FactsOutcome::TooLarge) {
        passOver(path, "too large to be read");
        releaseBlock();
        return EntryResult::Next;
    }
    const bool decoded = outcome == FactsOutcome::Decoded;

    if (takesEveryFile()) {
        // A picture without a date of its own is dated from its name or
        // its file; only a file that cannot be read as its kind is left.
        if (!decoded && !block_.hasExif) {
            passOver(path, damagedReason());
            releaseBlock();
            return EntryResult::Next;
        }
    } else if (!block_.hasExif || block_.dateTime.empty()) {
        passOver(path, rejectReason(decoded));
        releaseBlock();
        return EntryResult::Next;
    }
    if (!wanted) {
        passOver(path, isFolder ? "a folder" : "files not included");
        releaseBlock();
        return EntryResult::Next;
    }
    addRecord(path, entry, kind);
    releaseBlock();
    return EntryResult::Next;
}

bool CDirReader::takesEveryFile() const {
    return files_ == PictureFiles::AllFormats && dateRules_ == DateRules::TrueTimes;
}

std::string CDirReader::damagedReason() const {
    const std::string detail = message_.empty() ? diagnostic_ : message_;
    return detail.empty() ? "not a picture or video" : "damaged: " + detail;
}

namespace {

// A stored date with a year: not empty, not the zero date cameras write.
bool holdsDate(const std::string& text) {
    if (text.size() < 4) {
        return false;
    }
    int year = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        year = year * 10 + (text[i] - '0');
    }
    return year > 0;
}

}  // namespace

DateSource CDirReader::chooseDate(const DirEntry& entry, PictureKind kind, bool& timeKnown) {
    timeKnown = true;
    if (holdsDate(block_.dateTime)) {
        return kind == PictureKind::Video ? DateSource::Video : DateSource::ExifOriginal;
    }
    if (holdsDate(block_.dateTimeDigitized)) {
        block_.dateTime = block_.dateTimeDigitized;
        return DateSource::ExifDigitized;
    }
    if (holdsDate(block_.dateTimeModified)) {
        block_.dateTime = block_.dateTimeModified;
        return DateSource::ExifModified;
    }
    if (const auto named = dateInFileName(entry.name)) {
        block_.dateTime = named->dateTime;
        timeKnown = named->timeKnown;
        return DateSource::FileName;
    }
    block_.dateTime = formatLocalFileTime(fileTimeOf(entry), "%Y:%m:%d %H:%M:%S");
    return DateSource::FileTime;
}

void CDirReader::addRecord(const std::string& path, const DirEntry& entry, PictureKind kind) {
    try {
        bool dateFromFile = false;
        DateSource source = kind == PictureKind::Video ? DateSource::Video : DateSource::ExifOriginal;
        bool timeKnown = true;
        if (takesEveryFile()) {
            source = chooseDate(entry, kind, timeKnown);
            block_.dateTime.resize(std::min(block_.dateTime.size(), kDateTimeChars));
            dateFromFile = source == DateSource::FileName || source == DateSource::FileTime;
        } else if (block_.dateTime == kZeroDate) {
            std::string fileDate = formatLocalFileTime(fileTimeOf(entry), "%Y:%m:%d %H:%M:%S");
            if (!fileDate.empty()) {
                fileDate.resize(std::min(fileDate.size(), kDateTimeChars));
                block_.dateTime = std::move(fileDate);
                dateFromFile = true;
                source = DateSource::FileTime;
            }
        }
        PictureRecord record;
        record.path = path;
        record.isFolder = entry.isDirectory();
        record.exifFound = true;
        record.attributes = entry.attributes;
        record.createTime = pictureTimeStamp(block_.dateTime, biasMinutes_);
        record.writeTime = record.createTime;
        record.size = entry.size;
        record.block = std::make_shared<PictureBlock>();
        record.block->exif = std::move(block_);
        record.block->filmImageIndex = -1;
        record.block->dateFromFile = dateFromFile;
        record.block->dateSource = source;
        record.block->timeKnown = timeKnown;
        record.companions = companions_;
        catalogue_.push_back(std::move(record));
    } catch (const std::bad_alloc&) {
        host_.messageBox("Not enough memory", "Error", Icon::Error, Buttons::Ok);
        passOver(path, "not enough memory");
        return;
    }
    if (catalogued_) {
        catalogued_(catalogue_.back(), message_);
    }
}

std::int64_t CDirReader::fileTimeOf(const DirEntry& entry) const {
    if (dateRules_ == DateRules::AsFirstMade || entry.modifiedTime == 0) {
        return entry.creationTime;
    }
    return std::min(entry.creationTime, entry.modifiedTime);
}

CDirReader::EntryResult CDirReader::askOnReadError() {
    const Answer answer = host_.messageBox("Error while reading from drive", "Error", Icon::Error, Buttons::OkCancel);
    if (answer == Answer::Cancel) {
        releaseBlock();
        return EntryResult::Cancelled;
    }
    return EntryResult::Next;
}

std::string CDirReader::rejectReason(bool decoded) const {
    std::string detail = message_.empty() ? diagnostic_ : message_;
    if (!decoded && detail.empty()) {
        // The decoder stops silently when the file does not start a JPEG stream.
        return "not a JPEG file";
    }
    std::string reason = !block_.hasExif ? "no EXIF data" : "no date";
    if (!detail.empty()) {
        reason += ": " + detail;
    }
    return reason;
}

void CDirReader::passOver(const std::string& path, const std::string& reason) {
    if (passedOver_) {
        passedOver_(PassedOver{path, reason});
    }
}

void CDirReader::releaseBlock() {
    block_ = ExifInfo{};
    reader_.Reset();
    diagnostic_.clear();
    message_.clear();
}

bool CDirReader::sortCatalogue(int kind, bool reverse) {
    auto sortBy = [&](auto less) {
        const auto order = [&](const PictureRecord& a, const PictureRecord& b) {
            return reverse ? less(b, a) : less(a, b);
        };
        // Every album pass sorts again; a catalogue already in that order is
        // left as it is, so shots of the same second also keep their places.
        if (!std::is_sorted(catalogue_.begin(), catalogue_.end(), order)) {
            std::sort(catalogue_.begin(), catalogue_.end(), order);
        }
    };
    switch (kind) {
    case 1:
        sortBy([](const PictureRecord& a, const PictureRecord& b) { return pathLess(a.path, b.path); });
        break;
    case 2:
        sortBy([](const PictureRecord& a, const PictureRecord& b) { return a.writeTime < b.writeTime; });
        break;
    case 3:
        sortBy([](const PictureRecord& a, const PictureRecord& b) { return a.size < b.size; });
        break;
    default:
        break;
    }
    return true;
}

void CDirReader::clearFolders() {
    folders_.clear();
}

void CDirReader::clearCatalogue() {
    catalogue_.clear();
}

}  // namespace dz
