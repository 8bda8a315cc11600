#include "DuplicatesCommand.h"

#include "CliHost.h"
#include "CommandWords.h"

#include "catalogue/CDirReader.h"
#include "duplicates/DuplicateSearch.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

namespace dz {

void DuplicatesCommand::printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli duplicates PATH...\n"
           "\n"
           "Catalogues the JPEG pictures below each folder (or each single file), in the order\n"
           "the program's scan walks them, analyses and compares them as the duplicate search\n"
           "does and prints every group of equal pictures: a heading line, the first picture\n"
           "of the group, then its duplicates. The last line counts the duplicates.\n"
           "\n"
           "Exit status: 0 when every path was read, 1 when one could not be, 2 on a usage\n"
           "error.\n";
}

int DuplicatesCommand::run(const std::vector<std::string>& args) {
    const CommandWords words = splitCommandWords(args);
    const std::vector<std::string>& paths = words.operands;
    if (hasUnknownOption(words, err_) || paths.empty()) {
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
    const bool read = cataloguePath(path, reader, fileSystem, host, err_);
    for (PictureRecord& picture : reader.catalogue()) {
        pictures.push_back(std::move(picture));
    }
    return read;
}

}  // namespace dz
