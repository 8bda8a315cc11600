#pragma once

#include "timeline/CameraClock.h"

#include "PromptPolicy.h"

#include <ostream>
#include <string>
#include <vector>

namespace dz {

class FileSystem;
class LoadedSession;

// `dezoredu-cli process [--on-exists ...] [--on-error ...] SESSION.fls`:
// loads a session as the program does and processes its albums into the
// session's target folder, answering every prompt by the policy.
class ProcessCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    // Every file operation goes through `fileSystem`.
    ProcessCommand(std::ostream& out, std::ostream& err, FileSystem& fileSystem)
        : out_(out), err_(err), fileSystem_(fileSystem) {}

    // `args` are the words after "process".
    int run(const std::vector<std::string>& args);

    static void printUsage(std::ostream& err);

private:
    CameraClocks clocks_;
    bool readArguments(const std::vector<std::string>& args, PromptPolicy& policy, std::string& sessionPath,
                       bool& allFormats, bool& verify);

    std::ostream& out_;
    std::ostream& err_;
    FileSystem& fileSystem_;
};

// How the pictures of a run are looked at in the target once it ended: read
// again to their last byte, or by their size alone (the run hashed each copy
// as it wrote it, and "Verify copies" reads them back from the disk).
enum class PlacedCheck { Bytes, Size };

// Processes the session's albums not yet processed into its target folder,
// with the journal, as the Albums Processing window does, writing its status
// lines to `out`; then checks that each picture of an album processed now is
// at its place, saying on `err` what is not. ProcessCommand's exit status.
int processSessionAlbums(LoadedSession& session, std::ostream& out, std::ostream& err,
                         PlacedCheck check = PlacedCheck::Bytes);

}  // namespace dz
