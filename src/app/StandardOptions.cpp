#include "app/StandardOptions.h"

#include "app/ProgramVersion.h"

#include <ostream>

namespace dz {

std::string versionLine(const std::string& program) {
    return program + " " + kProgramVersion;
}

std::optional<int> answerStandardOptions(const std::vector<std::string>& words, const std::string& program,
                                         const std::function<void(std::ostream&)>& printUsage, std::ostream& out) {
    for (const std::string& word : words) {
        if (word == "--") {
            break;
        }
        if (word == "--help" || word == "-h") {
            printUsage(out);
            return 0;
        }
        if (word == "--version") {
            out << versionLine(program) << "\n";
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace dz
