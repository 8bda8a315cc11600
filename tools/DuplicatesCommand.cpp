#include "DuplicatesCommand.h"

#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "duplicates/DuplicateSearch.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"
#include "platform/TimeZone.h"

namespace dz {

void DuplicatesCommand::printUsage(std::ostream& err) {
    err << "  duplicates PATH...\n"
           "      Catalogues the JPEG pictures below each folder (or each single file), in the order\n"
           "      the program's scan walks them, analyses and compares them as the duplicate search\n"
           "      does and prints every group of equal pictures: a heading line, the first picture\n"
           "      of the group, then its duplicates. The last line counts the duplicates.\n"
           "      Exit status: 0 when every path was read, 1 when one could not be, 2 on usage errors.\n";
}

int DuplicatesCommand::run(const std::vector<std::string>& args) {
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            err_ << "dezoredu-cli: unknown option " << arg << "\n";
            printUsage(err_);
            return kUsageError;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) {
        printUsage(err_);
        return kUsageError;
    }
    std::vector<PictureRecord> pictures;
    bool complete = true;
    for (const std::string& path : paths) {
        complete = catalogue(path, pictures) && complete;
    }
    const DuplicateSearchResult result = findDuplicates(pictures);
    for (const std::string& line : result.lines) {
        out_ << line << '\n';
    }
    out_ << "Pictures " << pictures.size() << ", duplicates " << result.comparison.duplicates << ", groups "
         << result.comparison.groups.size() << "\n";
    return complete ? kDone : kIncomplete;
}

bool DuplicatesCommand::catalogue(const std::string& path, std::vector<PictureRecord>& pictures) {
    CliHost host(err_);
    FileSystem fileSystem;
    const bool abortRequest = false;
    CDirReader reader(host, fileSystem, abortRequest);
    reader.setBiasMinutes(currentTimeZone().totalBiasMinutes());
    // An empty mask lists nothing, so this only asks whether PATH is a folder.
    std::vector<DirEntry> none;
    bool walked = false;
    if (fileSystem.listDirectory(path, "", none)) {
        reader.listFolders(path, true);
        walked = reader.collectPictures("*.jpg", true, false);
    } else if (fileSystem.lastError() == syserr::kDirectory) {
        walked = reader.readFile(path);
        if (!walked && host.messageCount() == 0) {
            err_ << "dezoredu-cli: cannot read " << path << "\n";
        }
    } else {
        err_ << "dezoredu-cli: cannot read " << path << " (error " << fileSystem.lastError() << ")\n";
    }
    for (PictureRecord& picture : reader.catalogue()) {
        pictures.push_back(std::move(picture));
    }
    return walked;
}

}  // namespace dz
