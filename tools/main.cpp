#include "DuplicatesCommand.h"
#include "InfoCommand.h"
#include "JournalCommands.h"
#include "ProcessCommand.h"
#include "SessionCommand.h"

#include "platform/FileSystem.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

void printUsage(std::ostream& err) {
    err << "usage: dezoredu-cli COMMAND ...\n\ncommands:\n";
    dz::InfoCommand::printUsage(err);
    err << "\n";
    dz::ProcessCommand::printUsage(err);
    err << "\n";
    dz::SessionCommand::printUsage(err);
    err << "\n";
    dz::DuplicatesCommand::printUsage(err);
    err << "\n";
    dz::PlanCommand::printUsage(err);
    err << "\n";
    dz::JournalCommand::printUsage(dz::JournalCommand::Kind::Resume, err);
    err << "\n";
    dz::JournalCommand::printUsage(dz::JournalCommand::Kind::Undo, err);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        printUsage(std::cerr);
        return dz::InfoCommand::kUsageError;
    }
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (words[0] == "info") {
        return dz::InfoCommand(std::cout, std::cerr).run(args);
    }
    if (words[0] == "process") {
        dz::FileSystem fileSystem;
        return dz::ProcessCommand(std::cout, std::cerr, fileSystem).run(args);
    }
    if (words[0] == "session") {
        return dz::SessionCommand(std::cout, std::cerr).run(args);
    }
    if (words[0] == "duplicates") {
        return dz::DuplicatesCommand(std::cout, std::cerr).run(args);
    }
    if (words[0] == "plan") {
        dz::FileSystem fileSystem;
        return dz::PlanCommand(std::cout, std::cerr, fileSystem).run(args);
    }
    if (words[0] == "resume" || words[0] == "undo") {
        dz::FileSystem fileSystem;
        const auto kind = words[0] == "resume" ? dz::JournalCommand::Kind::Resume : dz::JournalCommand::Kind::Undo;
        return dz::JournalCommand(kind, std::cout, std::cerr, fileSystem).run(args);
    }
    std::cerr << "dezoredu-cli: unknown command " << words[0] << "\n";
    printUsage(std::cerr);
    return dz::InfoCommand::kUsageError;
}
