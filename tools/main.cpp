#include "ClocksCommand.h"
#include "DuplicatesCommand.h"
#include "InfoCommand.h"
#include "JournalCommands.h"
#include "ProcessCommand.h"
#include "SessionCommand.h"
#include "SortCommand.h"

#include "app/StandardOptions.h"
#include "platform/FileSystem.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

using Usage = void (*)(std::ostream&);

void resumeUsage(std::ostream& out) {
    dz::JournalCommand::printUsage(dz::JournalCommand::Kind::Resume, out);
}

void undoUsage(std::ostream& out) {
    dz::JournalCommand::printUsage(dz::JournalCommand::Kind::Undo, out);
}

struct CommandUsage {
    const char* name;
    Usage usage;
};

constexpr CommandUsage kCommands[] = {
    {"info", dz::InfoCommand::printUsage},   {"process", dz::ProcessCommand::printUsage},
    {"session", dz::SessionCommand::printUsage}, {"duplicates", dz::DuplicatesCommand::printUsage},
    {"plan", dz::PlanCommand::printUsage},   {"resume", resumeUsage},
    {"undo", undoUsage},                     {"trust", dz::TrustCommand::printUsage},
    {"clocks", dz::ClocksCommand::printUsage}, {"sort", dz::SortCommand::printUsage},
};

void printUsage(std::ostream& out) {
    out << "usage: dezoredu-cli COMMAND ...\n"
           "       dezoredu-cli --help | -h | --version\n"
           "\n"
           "Every command also takes --help (or -h) and --version.\n"
           "\ncommands:\n";
    for (const CommandUsage& command : kCommands) {
        out << "\n";
        command.usage(out);
    }
}

Usage usageOf(const std::string& name) {
    for (const CommandUsage& command : kCommands) {
        if (name == command.name) {
            return command.usage;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        printUsage(std::cerr);
        return dz::InfoCommand::kUsageError;
    }
    if (const auto answered = dz::answerStandardOptions({words[0]}, "dezoredu-cli", printUsage, std::cout)) {
        return *answered;
    }
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (const Usage usage = usageOf(words[0])) {
        if (const auto answered = dz::answerStandardOptions(args, "dezoredu-cli", usage, std::cout)) {
            return *answered;
        }
    }
    if (words[0] == "info") {
        return dz::InfoCommand(std::cout, std::cerr).run(args);
    }
    if (words[0] == "clocks") {
        return dz::ClocksCommand(std::cout, std::cerr).run(args);
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
    if (words[0] == "sort") {
        dz::FileSystem fileSystem;
        return dz::SortCommand(std::cout, std::cerr, fileSystem).run(args);
    }
    if (words[0] == "trust") {
        return dz::TrustCommand(std::cout, std::cerr).run(args);
    }
    std::cerr << "dezoredu-cli: unknown command " << words[0] << "\n";
    printUsage(std::cerr);
    return dz::InfoCommand::kUsageError;
}
