#pragma once

#include "timeline/CameraClock.h"

#include <ostream>
#include <string>
#include <vector>

namespace dz {

class FileSystem;

// `dezoredu-cli plan SESSION.fls`: the whole run a session would make,
// before anything is written: one JSON object a line per picture, then a
// summary line.
class PlanCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kNotLoaded = 1;
    static constexpr int kUsageError = 2;

    PlanCommand(std::ostream& out, std::ostream& err, FileSystem& fileSystem)
        : out_(out), err_(err), fileSystem_(fileSystem) {}
    int run(const std::vector<std::string>& args);
    static void printUsage(std::ostream& err);

private:
    CameraClocks clocks_;
    std::ostream& out_;
    std::ostream& err_;
    FileSystem& fileSystem_;
};

// `dezoredu-cli resume JOURNAL` and `dezoredu-cli undo JOURNAL`: finish or
// take back a processing run from its journal alone.
class JournalCommand {
public:
    enum class Kind { Resume, Undo };
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    JournalCommand(Kind kind, std::ostream& out, std::ostream& err, FileSystem& fileSystem)
        : kind_(kind), out_(out), err_(err), fileSystem_(fileSystem) {}
    int run(const std::vector<std::string>& args);
    static void printUsage(Kind kind, std::ostream& err);

private:
    Kind kind_;
    std::ostream& out_;
    std::ostream& err_;
    FileSystem& fileSystem_;
};

// `dezoredu-cli trust JOURNAL --source FOLDER`: the user's own journal,
// written under another account or before the key was made anew, taken as
// this user's, with the source folder the user names.
class TrustCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kRefused = 1;
    static constexpr int kUsageError = 2;

    TrustCommand(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    int run(const std::vector<std::string>& args);
    static void printUsage(std::ostream& err);

private:
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace dz
