#include "app/ProgramVersion.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace dz {
namespace {

struct Outcome {
    int status = -1;
    std::string out;  // standard output only; standard error is dropped
};

Outcome runCli(const std::string& args) {
    Outcome outcome;
    std::FILE* pipe = ::popen((std::string(DZ_CLI_PATH) + " " + args + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

TEST(StandardOptions, HelpAndVersionOfTheProgramAndOfACommandGoToStandardOutput) {
    const std::pair<const char*, const char*> cases[] = {
        {"--help", "usage: dezoredu-cli COMMAND"}, {"-h", "usage: dezoredu-cli COMMAND"},
        {"info --help", "usage: dezoredu-cli info"}, {"undo -h", "usage: dezoredu-cli undo"},
        {"duplicates --help", "usage: dezoredu-cli duplicates"},
        {"process --on-exists skip --help", "usage: dezoredu-cli process"},
    };
    for (const auto& [args, start] : cases) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 0) << args;
        EXPECT_EQ(o.out.rfind(start, 0), 0u) << args << ": " << o.out;
    }
    const std::string version = std::string("dezoredu-cli ") + kProgramVersion + "\n";
    EXPECT_EQ(runCli("--version").out, version);
    const Outcome ofCommand = runCli("plan --version");
    EXPECT_EQ(ofCommand.status, 0);
    EXPECT_EQ(ofCommand.out, version);
}

TEST(StandardOptions, UnknownWordsStillFailWithNothingOnStandardOutput) {
    for (const char* args : {"--helpme", "info --bogus", "-- --help"}) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_EQ(o.out, "") << args;
    }
}

}  // namespace
}  // namespace dz
