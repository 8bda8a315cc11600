#include "InfoCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] != "info") {
        std::cerr << "usage: dezoredu-cli COMMAND ...\n\ncommands:\n";
        dz::InfoCommand::printUsage(std::cerr);
        return dz::InfoCommand::kUsageError;
    }
    dz::InfoCommand info(std::cout, std::cerr);
    return info.run(std::vector<std::string>(words.begin() + 1, words.end()));
}
