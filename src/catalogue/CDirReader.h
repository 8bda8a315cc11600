#pragma once

#include "catalogue/PictureRecord.h"
#include "exif/CExifReader.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

#include <functional>
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
    // Told about every listed file that is not catalogued.
    void setPassedOverListener(std::function<void(const PassedOver&)> listener);

private:
    // (the implementer's)
};

}  // namespace dz
