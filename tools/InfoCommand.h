#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dz {

struct PictureRecord;

// `dezoredu-cli info [--all] [--all-formats] PATH...`: catalogues folders as the scan walks
// them and single files as one entry, one JSON object a line per picture.
class InfoCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kIncomplete = 1;
    static constexpr int kUsageError = 2;

    InfoCommand(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // `args` are the words after "info".
    int run(const std::vector<std::string>& args);

    static void printUsage(std::ostream& err);
    // With `withFormat`, the line ends in the file's "format" too.
    static std::string pictureLine(const PictureRecord& record, const std::string& decoderMessage,
                                   bool withFormat = false);

private:
    bool readPath(const std::string& path, bool all, bool allFormats);

    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace dz
