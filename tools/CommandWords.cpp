#include "CommandWords.h"

#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"

#include <ostream>

namespace dz {

CommandWords splitCommandWords(const std::vector<std::string>& args) {
    CommandWords words;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            words.options.push_back(arg);
        } else {
            words.operands.push_back(arg);
        }
    }
    return words;
}

bool hasUnknownOption(const CommandWords& words, std::ostream& err) {
    if (words.options.empty()) {
        return false;
    }
    err << "dezoredu-cli: unknown option " << words.options.front() << "\n";
    return true;
}

std::optional<std::string> soleOperand(const CommandWords& words, std::ostream& err) {
    if (hasUnknownOption(words, err) || words.operands.size() != 1) {
        return std::nullopt;
    }
    return words.operands.front();
}

bool cataloguePath(const std::string& path, CDirReader& reader, FileSystem& fileSystem, const CliHost& host,
                   std::ostream& err) {
    // An empty mask lists nothing, so this only asks whether PATH is a folder.
    std::vector<DirEntry> none;
    bool walked = false;
    if (fileSystem.listDirectory(path, "", none)) {
        reader.listFolders(path, true);
        walked = reader.collectPictures("*.jpg", true, false);
    } else if (fileSystem.lastError() == syserr::kDirectory) {
        walked = reader.readFile(path);
        if (!walked && host.messageCount() == 0) {
            err << "dezoredu-cli: cannot read " << path << "\n";
        }
    } else {
        err << "dezoredu-cli: cannot read " << path << " (error " << fileSystem.lastError() << ")\n";
    }
    return walked && host.messageCount() == 0;
}

}  // namespace dz
