#pragma once

#include "timeline/CameraClock.h"

#include "PromptPolicy.h"

#include "suggest/Suggestion.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace dz {

class FileSystem;

// What `sort` was told.
struct SortWords {
    std::string source;
    std::string target;
    SuggestSettings suggest;
    bool move = false;
    bool dryRun = false;
    std::string sessionPath;  // write the albums there instead of processing
    bool verify = false;
    PromptPolicy policy;
    CameraClocks clocks;
};

// `dezoredu-cli sort SOURCE TARGET`: from a card or a phone's folder to a
// sorted target in one go: scans every photo and video, leaves out what the
// target's journals say was sorted there, proposes albums, and processes
// them with the journal, so `undo` takes the run back.
class SortCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    SortCommand(std::ostream& out, std::ostream& err, FileSystem& fileSystem)
        : out_(out), err_(err), fileSystem_(fileSystem) {}

    int run(const std::vector<std::string>& args);
    static void printUsage(std::ostream& err);

private:
    std::optional<SortWords> readWords(const std::vector<std::string>& args);

    std::ostream& out_;
    std::ostream& err_;
    FileSystem& fileSystem_;
};

}  // namespace dz
