#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dz {

// `dezoredu-cli session SESSION.fls`: loads a session as the program does
// and prints its albums with the main window's texts.
class SessionCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kNotLoaded = 1;
    static constexpr int kUsageError = 2;

    SessionCommand(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // `args` are the words after "session".
    int run(const std::vector<std::string>& args);

    static void printUsage(std::ostream& err);

private:
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace dz
